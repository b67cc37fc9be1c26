#include "service/service_endpoints.h"

#include "platform/codepage.h"
#include "service/http_request.h"
#include "service/json_document.h"
#include "service/text_decoding.h"

namespace {

constexpr int kIpInfoTimeoutSeconds = 2;

std::string_view PathAndQuery(ServiceEndpoint endpoint) {
  switch (endpoint) {
    case ServiceEndpoint::UserInfo:
      return "/userinfo/?type=trevalo&user=[user]&password=[password]";
    case ServiceEndpoint::ServerListPc:
      return "/serverlistpc/";
    case ServiceEndpoint::GetStaticIpList:
      return "/getstaticiplist/";
    case ServiceEndpoint::SetStaticIp:
      return "/setstaticip/?user=[user]&ip=[ip]";
    case ServiceEndpoint::IpInfoHtml:
      return "/ipinfohtml/";
  }
  return {};
}

}  // namespace

std::string ServiceUrl(const ServiceAddress& address, ServiceEndpoint endpoint) {
  return "http://" + address.host + ":" + std::to_string(address.port) + std::string(PathAndQuery(endpoint));
}

std::string ReplacePlaceholder(std::string_view text, std::string_view placeholder, std::string_view value) {
  std::string result;
  for (std::size_t at = 0;;) {
    std::size_t found = text.find(placeholder, at);
    if (placeholder.empty() || found == std::string_view::npos) return result.append(text.substr(at));
    result.append(text.substr(at, found - at)).append(value);
    at = found + placeholder.size();
  }
}

std::string ResponseText(std::string_view body) { return std::string(body.substr(0, body.find('\0'))); }

LoginAnswer RequestLogin(const platform::HttpRequestFactory& http, const ServiceAddress& address,
                         std::string_view user, std::string_view password) {
  std::string url = ReplacePlaceholder(ServiceUrl(address, ServiceEndpoint::UserInfo), "[user]", user);
  url = ReplacePlaceholder(url, "[password]", password);

  LoginAnswer answer;
  answer.response = DecodeUnicodeEscapes(ResponseText(HttpRequest(http, url)));
  answer.code = TextBetween(answer.response, "code\": ", ", \"data");
  if (answer.Succeeded()) {
    answer.expiryTime = TextBetween(answer.response, "expiretime\": \"", "\"}");
  } else {
    answer.message = TextBetween(answer.response, "{\"status\": \"error\", \"msg\": \"", "\", \"code\"");
  }
  return answer;
}

LineListDownload DownloadLineList(const platform::HttpRequestFactory& http, const std::string& url,
                                  int expectedCode) {
  int status = 0;
  HttpRequestParameters parameters;
  parameters.statusCode = &status;
  std::string body = ResponseText(HttpRequest(http, url, parameters));
  if (status != 200) return {.error = 1};

  JsonDocument document;
  if (!document.Parse(body)) return {.error = 2};
  // "code" is a number, truncated toward zero.
  int code = document.GetInt("code");
  if (code != expectedCode) return {.error = code};
  return {.ok = true, .body = std::move(body)};
}

bool RequestStaticIpReservation(const platform::HttpRequestFactory& http, const ServiceAddress& address,
                                std::string_view account, std::string_view staticIp) {
  std::string url = ReplacePlaceholder(ServiceUrl(address, ServiceEndpoint::SetStaticIp), "[user]", account);
  url = ReplacePlaceholder(url, "[ip]", staticIp);
  return ResponseText(HttpRequest(http, url)).find("100") != std::string::npos;
}

IpInfoAnswer RequestIpInfo(const platform::HttpRequestFactory& http, const ServiceAddress& address) {
  IpInfoAnswer answer;
  HttpRequestParameters parameters;
  parameters.statusCode = &answer.status;
  parameters.timeoutSeconds = kIpInfoTimeoutSeconds;
  answer.text = platform::Utf8ToAnsi(ResponseText(HttpRequest(http, ServiceUrl(address, ServiceEndpoint::IpInfoHtml), parameters)));
  return answer;
}
