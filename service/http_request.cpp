#include "service/http_request.h"

#include <climits>
#include <iterator>
#include <memory>

#include "service/base64.h"
#include "service/http_cookies.h"
#include "service/http_headers.h"
#include "service/http_text.h"

namespace {

constexpr const char* kVerbs[] = {"GET", "POST", "HEAD", "PUT", "OPTIONS", "DELETE", "TRACE", "CONNECT"};
constexpr int kPostMethod = 1;
constexpr int kKeepObjectTimeouts = -1;
constexpr int kDefaultTimeoutMs = 15000;
// The service may sit behind a certificate of its own making.
constexpr int kIgnoredCertificateErrors = platform::kIgnoreUnknownAuthority | platform::kIgnoreWrongUsage |
                                          platform::kIgnoreWrongCommonName | platform::kIgnoreInvalidDate;

int KnownMethod(int method) { return method >= 0 && method < static_cast<int>(std::size(kVerbs)) ? method : 0; }

int TimeoutMs(int timeoutSeconds) {
  if (timeoutSeconds < 1) return kDefaultTimeoutMs;
  return timeoutSeconds > INT_MAX / 1000 ? INT_MAX : timeoutSeconds * 1000;
}

}  // namespace

std::string HttpRequest(const platform::HttpRequestFactory& createRequestObject, const std::string& url,
                        const HttpRequestParameters& p) {
  std::unique_ptr<platform::HttpRequestObject> ownRequest;
  platform::HttpRequestObject* request = p.requestObject;
  if (request == nullptr) {
    if (createRequestObject) ownRequest = createRequestObject();
    request = ownRequest.get();
    if (request == nullptr) return {};
  }
  int method = KnownMethod(p.method);

  if (p.timeoutSeconds != kKeepObjectTimeouts) {
    int timeoutMs = TimeoutMs(p.timeoutSeconds);
    request->SetTimeouts(timeoutMs, timeoutMs, timeoutMs, timeoutMs);
  }
  if (!p.proxy.empty()) request->SetProxy(platform::ProxySetting::Named, p.proxy);
  request->Open(kVerbs[method], url);
  if (p.noRedirect) request->SetOption(platform::HttpRequestOption::EnableRedirects, 0);
  request->SetOption(platform::HttpRequestOption::SslErrorIgnoreFlags, kIgnoredCertificateErrors);

  std::string headers = p.headers != nullptr ? *p.headers : std::string();
  if (p.completeHeaders) headers = CompleteRequestHeaders(headers, url, method == kPostMethod);
  if (p.normaliseHeaderCase) headers = NormaliseHeaderNames(headers);
  if (p.headers != nullptr) *p.headers = headers;

  if (!p.proxy.empty() && !p.proxyUser.empty()) {
    request->SetCredentials(p.proxyUser, p.proxyPassword, p.credentialTarget);
    // Sent with the first request already, where the credentials alone would wait for a challenge.
    if (p.credentialTarget == platform::kCredentialsForProxy) {
      request->SetRequestHeader("Proxy-Authorization", "Basic " + Base64Encode(p.proxyUser + ":" + p.proxyPassword));
    }
  }
  if (p.cookies != nullptr) {
    if (!p.cookies->empty()) *p.cookies = RemoveIgnoringCase(*p.cookies, "Cookie:");
    request->SetRequestHeader("Cookie", *p.cookies);
  }
  for (const HeaderField& field : SplitRequestHeaders(headers)) request->SetRequestHeader(field.name, field.value);

  request->Send(p.binaryBody.empty() ? p.body : p.binaryBody);
  std::string body = request->ResponseBody();
  std::string responseHeaders = request->GetAllResponseHeaders();
  int status = request->Status();

  std::string responseCookies = ExtractResponseCookies(responseHeaders);
  if (p.mergeCookies && p.cookies != nullptr) {
    responseCookies = MergeCookies(*p.cookies, responseCookies);
    *p.cookies = responseCookies;
  }
  if (p.responseHeaders != nullptr) *p.responseHeaders = std::move(responseHeaders);
  if (p.statusCode != nullptr) *p.statusCode = status;
  if (p.responseCookies != nullptr) *p.responseCookies = std::move(responseCookies);
  return body;
}
