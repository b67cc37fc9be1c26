// The request object over libcurl. Each object owns one easy handle and each Send drives it through
// a multi handle of its own, so that a stalled exchange can be ended to the millisecond and no two
// objects share a connection or anything else.

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "platform/codepage.h"
#include "platform/http_request_object.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// A hostile server must not exhaust memory: a longer answer counts as a failed exchange.
constexpr std::size_t kMaxBodyBytes = std::size_t{64} << 20;
constexpr std::size_t kMaxHeaderBytes = std::size_t{1} << 20;
// As many redirects as the Windows object follows before it gives up.
constexpr long kMaxRedirects = 10;
// Headers libcurl adds of its own accord unless told not to; a request carries only what it is given.
constexpr const char* kCurlOwnHeaders[] = {"Accept", "Expect", "Content-Type", "Proxy-Connection"};

bool IsAsciiAlphanumeric(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsToken(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) {
    return IsAsciiAlphanumeric(c) || std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
  });
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// What a URL may hold as it is: the unreserved and reserved characters, and "%" of the escapes.
bool MayStandInUrl(unsigned char c) {
  return IsAsciiAlphanumeric(c) || std::string_view("-._~:/?#[]@!$&'()*+,;=%").find(c) != std::string_view::npos;
}

// The address as it goes out: in UTF-8, as the Windows object sends it, with every byte a URL may
// not hold (a space, a control, a byte of a non-ASCII character) escaped and the rest left alone.
std::string EscapeUrl(const std::string& url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  for (unsigned char c : AnsiToUtf8(url)) {
    if (MayStandInUrl(c)) {
      escaped += static_cast<char>(c);
    } else {
      escaped += '%';
      escaped += kHex[c >> 4];
      escaped += kHex[c & 0xF];
    }
  }
  return escaped;
}

// "HTTP/1.1 404 Not Found" gives "Not Found".
std::string ReasonPhrase(std::string_view statusLine) {
  while (!statusLine.empty() && (statusLine.back() == '\r' || statusLine.back() == '\n')) statusLine.remove_suffix(1);
  std::size_t code = statusLine.find(' ');
  std::size_t reason = code == std::string_view::npos ? code : statusLine.find(' ', code + 1);
  return reason == std::string_view::npos ? std::string() : std::string(statusLine.substr(reason + 1));
}

void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyCleanup {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiCleanup {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListCleanup {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, ListCleanup>;

// False when memory ran out; the list stays whole either way.
bool Append(HeaderList& list, const std::string& line) {
  curl_slist* head = curl_slist_append(list.get(), line.c_str());
  if (head == nullptr) return false;
  if (!list) list.reset(head);
  return true;
}

struct Timeouts {
  int resolveMs;
  int connectMs;
  int sendMs;
  int receiveMs;
};

struct Credentials {
  std::string user;
  std::string password;
};

// What one Send gathers while it runs. Only the final answer of a redirect or authentication chain
// is kept: each status line starts the answer afresh.
struct Exchange {
  explicit Exchange(CURL* handle) : easy(handle) {}

  // The bytes taken from libcurl; fewer than given ends the exchange as failed.
  std::size_t TakeHeaderLine(std::string_view line) {
    headerBytes += line.size();
    if (headerBytes > kMaxHeaderBytes) return 0;
    lastActivity = Clock::now();
    if (atStatusLine && line.starts_with("HTTP/")) {
      body.clear();
      headers.clear();
      statusText = ReasonPhrase(line);
      atStatusLine = false;
      return line.size();
    }
    headers += line;
    if (line == "\r\n" || line == "\n") atStatusLine = true;
    return line.size();
  }

  std::size_t TakeBodyBytes(std::string_view bytes) {
    if (bytes.size() > kMaxBodyBytes - body.size()) return 0;
    body += bytes;
    lastActivity = Clock::now();
    return bytes.size();
  }

  CURL* easy;
  std::string body;
  std::string headers;
  std::string statusText;
  bool atStatusLine = true;
  std::size_t headerBytes = 0;
  Clock::time_point lastActivity = Clock::now();
  // The request of the redirect chain (0 the first) that is on the wire; -1 while none is yet.
  long requestOnWire = -1;
};

// No exception may pass through libcurl: running out of memory fails the exchange instead.
std::size_t OnHeaderLine(char* data, std::size_t size, std::size_t count, void* context) {
  try {
    return static_cast<Exchange*>(context)->TakeHeaderLine(std::string_view(data, size * count));
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

std::size_t OnBodyBytes(char* data, std::size_t size, std::size_t count, void* context) {
  try {
    return static_cast<Exchange*>(context)->TakeBodyBytes(std::string_view(data, size * count));
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

// Called once a connection is ready and the request is about to go out.
int OnRequestReady(void* context, char*, char*, int, int) {
  auto& exchange = *static_cast<Exchange*>(context);
  long redirects = 0;
  curl_easy_getinfo(exchange.easy, CURLINFO_REDIRECT_COUNT, &redirects);
  exchange.requestOnWire = redirects;
  exchange.lastActivity = Clock::now();
  return CURL_PREREQFUNC_OK;
}

// Runs the exchange to its end; true when it completed. Connecting is bounded by libcurl's own
// connect limit. Once a request is on the wire, a stretch in which no byte moves ends the exchange
// when it outlasts the send limit while the body goes out, or the receive limit afterwards.
bool Perform(Exchange& exchange, const Timeouts& timeouts, curl_off_t bodySize) {
  std::unique_ptr<CURLM, MultiCleanup> multi(curl_multi_init());
  if (!multi || curl_multi_add_handle(multi.get(), exchange.easy) != CURLM_OK) return false;
  bool completed = false;
  curl_off_t sent = -1;
  curl_off_t received = -1;
  for (;;) {
    int running = 0;
    if (curl_multi_perform(multi.get(), &running) != CURLM_OK) break;
    if (running == 0) {
      int queued = 0;
      CURLMsg* message = curl_multi_info_read(multi.get(), &queued);
      completed = message != nullptr && message->msg == CURLMSG_DONE && message->data.result == CURLE_OK;
      break;
    }
    curl_off_t nowSent = 0;
    curl_off_t nowReceived = 0;
    long redirects = 0;
    curl_easy_getinfo(exchange.easy, CURLINFO_SIZE_UPLOAD_T, &nowSent);
    curl_easy_getinfo(exchange.easy, CURLINFO_SIZE_DOWNLOAD_T, &nowReceived);
    curl_easy_getinfo(exchange.easy, CURLINFO_REDIRECT_COUNT, &redirects);
    if (nowSent != sent || nowReceived != received) exchange.lastActivity = Clock::now();
    sent = nowSent;
    received = nowReceived;

    long long waitMs = 1000;
    int stallLimitMs = sent < bodySize ? timeouts.sendMs : timeouts.receiveMs;
    if (exchange.requestOnWire == redirects && stallLimitMs > 0) {
      auto stalled = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - exchange.lastActivity);
      long long leftMs = stallLimitMs - stalled.count();
      if (leftMs <= 0) break;
      waitMs = std::min(waitMs, leftMs);
    }
    curl_multi_poll(multi.get(), nullptr, 0, static_cast<int>(waitMs), nullptr);
  }
  curl_multi_remove_handle(multi.get(), exchange.easy);
  return completed;
}

class CurlHttpRequest final : public HttpRequestObject {
 public:
  explicit CurlHttpRequest(CURL* easy) : easy_(easy) {}

  void SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) override {
    timeouts_ = {resolveMs, connectMs, sendMs, receiveMs};
  }

  void SetProxy(ProxySetting setting, const std::string& proxyServer) override {
    proxyServer_ = setting == ProxySetting::Named ? proxyServer : std::string();
  }

  void Open(const std::string& verb, const std::string& url) override {
    verb_ = verb;
    url_ = url;
    opened_ = true;
    headers_.clear();
    serverCredentials_.reset();
    proxyCredentials_.reset();
    ForgetResponse();
  }

  void SetOption(HttpRequestOption option, int value) override {
    switch (option) {
      case HttpRequestOption::SslErrorIgnoreFlags:
        sslErrorIgnoreFlags_ = value;
        break;
      case HttpRequestOption::EnableRedirects:
        followRedirects_ = value != 0;
        break;
    }
  }

  void SetCredentials(const std::string& user, const std::string& password, int target) override {
    if (target == kCredentialsForServer) serverCredentials_ = Credentials{user, password};
    if (target == kCredentialsForProxy) proxyCredentials_ = Credentials{user, password};
  }

  void SetRequestHeader(const std::string& name, const std::string& value) override {
    if (!IsToken(name) || value.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) return;
    auto same = std::find_if(headers_.begin(), headers_.end(),
                             [&](const auto& header) { return EqualsIgnoringCase(header.first, name); });
    if (value.empty()) {
      if (same != headers_.end()) headers_.erase(same);
    } else if (same != headers_.end()) {
      *same = {name, value};
    } else {
      headers_.emplace_back(name, value);
    }
  }

  void Send(std::string_view body) override {
    ForgetResponse();
    if (!opened_ || !IsToken(verb_)) return;
    bool secure = StartsWithIgnoringCase(url_, "https://");
    if (!secure && !StartsWithIgnoringCase(url_, "http://")) return;
    requestBody_.assign(body);

    HeaderList headerList;
    if (!ListHeaders(headerList)) return;
    curl_easy_reset(easy_.get());
    Exchange exchange(easy_.get());
    std::string url = EscapeUrl(url_);
    curl_off_t bodySize = ApplyRequest(url, secure, headerList.get(), exchange);
    if (!Perform(exchange, timeouts_, bodySize)) return;

    long status = 0;
    curl_easy_getinfo(easy_.get(), CURLINFO_RESPONSE_CODE, &status);
    body_ = std::move(exchange.body);
    responseHeaders_ = std::move(exchange.headers);
    status_ = static_cast<int>(status);
    statusText_ = std::move(exchange.statusText);
  }

  std::string ResponseBody() const override { return body_; }
  std::string GetAllResponseHeaders() const override { return responseHeaders_; }
  int Status() const override { return status_; }
  std::string StatusText() const override { return statusText_; }

 private:
  void ForgetResponse() {
    body_.clear();
    responseHeaders_.clear();
    status_ = 0;
    statusText_.clear();
  }

  bool HasHeader(std::string_view name) const {
    return std::any_of(headers_.begin(), headers_.end(),
                       [&](const auto& header) { return EqualsIgnoringCase(header.first, name); });
  }

  // The headers in the order they were set; an empty "Name:" entry keeps libcurl from adding a
  // header of its own by that name.
  bool ListHeaders(HeaderList& list) const {
    for (const auto& [name, value] : headers_) {
      if (!Append(list, name + ": " + value)) return false;
    }
    for (const char* own : kCurlOwnHeaders) {
      if (!HasHeader(own) && !Append(list, std::string(own) + ":")) return false;
    }
    return true;
  }

  // Sets up the easy handle for the request; gives the size of the body that goes out.
  curl_off_t ApplyRequest(const std::string& url, bool secure, curl_slist* headerList, Exchange& exchange) {
    CURL* easy = easy_.get();
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_off_t bodySize = ApplyVerb();
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headerList);

    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, followRedirects_ ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    // Like the Windows object, never from an HTTPS address down to a plain one.
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");

    // libcurl can only overlook a certificate chain as a whole, not one of its problems.
    bool trustAnyChain =
        (sslErrorIgnoreFlags_ & (kIgnoreUnknownAuthority | kIgnoreWrongUsage | kIgnoreInvalidDate)) != 0;
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, trustAnyChain ? 0L : 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, (sslErrorIgnoreFlags_ & kIgnoreWrongCommonName) != 0 ? 0L : 2L);

    // An empty proxy also keeps libcurl from taking one from the environment.
    curl_easy_setopt(easy, CURLOPT_PROXY, proxyServer_.c_str());
    curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    if (serverCredentials_) {
      curl_easy_setopt(easy, CURLOPT_USERNAME, serverCredentials_->user.c_str());
      curl_easy_setopt(easy, CURLOPT_PASSWORD, serverCredentials_->password.c_str());
      curl_easy_setopt(easy, CURLOPT_HTTPAUTH, CURLAUTH_ANY);
    }
    if (proxyCredentials_) {
      curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, proxyCredentials_->user.c_str());
      curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, proxyCredentials_->password.c_str());
      curl_easy_setopt(easy, CURLOPT_PROXYAUTH, CURLAUTH_ANY);
    }

    // libcurl bounds name resolution and connecting together, so by the sum of the two limits.
    long long connectMs = std::max(timeouts_.resolveMs, 0) + static_cast<long long>(std::max(timeouts_.connectMs, 0));
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                     connectMs == 0 || connectMs > INT_MAX ? long{INT_MAX} : static_cast<long>(connectMs));

    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxBodyBytes));
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeaderLine);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &exchange);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBodyBytes);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &exchange);
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, OnRequestReady);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, &exchange);
    return bodySize;
  }

  // GET and HEAD in libcurl's own way, so that a redirect is followed as the Windows object follows
  // it; every other verb as a custom one carrying the body when there is one. HEAD sends no body.
  // Gives the size of the body that goes out.
  curl_off_t ApplyVerb() {
    CURL* easy = easy_.get();
    auto postBody = [&] {
      auto size = static_cast<curl_off_t>(requestBody_.size());
      curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, size);
      curl_easy_setopt(easy, CURLOPT_POSTFIELDS, requestBody_.data());
      return size;
    };
    if (verb_ == "HEAD") {
      curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
      return 0;
    }
    if (verb_ == "GET" && requestBody_.empty()) {
      curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
      return 0;
    }
    if (verb_ == "POST") return postBody();
    curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, verb_.c_str());
    return requestBody_.empty() ? 0 : postBody();
  }

  std::unique_ptr<CURL, EasyCleanup> easy_;
  Timeouts timeouts_{0, 60000, 30000, 30000};  // the Windows object's own
  std::string proxyServer_;
  int sslErrorIgnoreFlags_ = 0;
  bool followRedirects_ = true;

  bool opened_ = false;
  std::string verb_;
  std::string url_;
  std::vector<std::pair<std::string, std::string>> headers_;
  std::optional<Credentials> serverCredentials_;
  std::optional<Credentials> proxyCredentials_;
  std::string requestBody_;

  std::string body_;
  std::string responseHeaders_;
  int status_ = 0;
  std::string statusText_;
};

}  // namespace

std::unique_ptr<HttpRequestObject> CreateHttpRequestObject() {
  InitialiseCurlOnce();
  CURL* easy = curl_easy_init();
  if (easy == nullptr) return nullptr;
  return std::make_unique<CurlHttpRequest>(easy);
}

}  // namespace platform
