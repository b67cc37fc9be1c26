#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// The options of a request object, numbered as the Windows request object numbers them.
enum class HttpRequestOption {
  SslErrorIgnoreFlags = 4,  // a sum of the kIgnore... flags below; 0 (the default) ignores nothing
  EnableRedirects = 6,      // 0 answers a redirect with the redirect itself; anything else follows it (the default)
};

// Certificate problems an HTTPS exchange may be told to overlook.
inline constexpr int kIgnoreUnknownAuthority = 0x0100;
inline constexpr int kIgnoreWrongUsage = 0x0200;
inline constexpr int kIgnoreWrongCommonName = 0x1000;
inline constexpr int kIgnoreInvalidDate = 0x2000;

// How the request reaches its server: straight (the default) or through the named HTTP proxy.
enum class ProxySetting { Direct = 1, Named = 2 };

// Whom SetCredentials answers when a challenge comes.
inline constexpr int kCredentialsForServer = 0;
inline constexpr int kCredentialsForProxy = 1;

// One HTTP client in the manner of the Windows scriptable request object: set it up, Open a
// request, add headers, Send it and wait for the whole answer, then read the answer. Texts are in
// the system's code page; bodies are bytes. An object serves one thread at a time; separate
// objects share nothing. No call throws and none reports an error: an exchange the object cannot
// make (an address it refuses, a refused or broken connection, a time-out, an answer too large to
// hold) leaves an empty answer: no body, no headers, status 0.
class HttpRequestObject {
 public:
  virtual ~HttpRequestObject() = default;

  // Limits in milliseconds for name resolution, connecting, each stretch of sending in which
  // nothing goes out, and each wait in which nothing comes in. 0 or less means no limit. They hold
  // for every later request of the object.
  virtual void SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) = 0;
  virtual void SetProxy(ProxySetting setting, const std::string& proxyServer) = 0;

  // Starts a new synchronous request with the verb ("GET", "POST" ...) and the address. The headers
  // and credentials of an earlier request and its answer are forgotten; time-outs, proxy and
  // options stay.
  virtual void Open(const std::string& verb, const std::string& url) = 0;
  virtual void SetOption(HttpRequestOption option, int value) = 0;
  // Credentials to answer a challenge of the server or the proxy with (kCredentialsFor...).
  virtual void SetCredentials(const std::string& user, const std::string& password, int target) = 0;
  // Adds a header, or replaces the one of the same name (in any case) where it stands. An empty
  // value removes the header; a name that is not an HTTP token or a value with a line break or a
  // zero byte is refused, and nothing changes.
  virtual void SetRequestHeader(const std::string& name, const std::string& value) = 0;
  // Sends the request with the body and waits for the answer.
  virtual void Send(std::string_view body) = 0;

  // The answer of the last Send: the body; the header lines after the status line, as received up
  // to and including the blank line that ends them; the status code and its reason phrase.
  virtual std::string ResponseBody() const = 0;
  virtual std::string GetAllResponseHeaders() const = 0;
  virtual int Status() const = 0;
  virtual std::string StatusText() const = 0;
};

// Makes a new request object; null when none can be made.
using HttpRequestFactory = std::function<std::unique_ptr<HttpRequestObject>()>;

// A request object of this system's HTTP client.
std::unique_ptr<HttpRequestObject> CreateHttpRequestObject();

}  // namespace platform
