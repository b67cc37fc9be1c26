#pragma once

#include <string>
#include <string_view>

#include "platform/http_request_object.h"

// The line service's five endpoints: plain GETs to the API host, their placeholders replaced by
// the raw values (nothing is percent-encoded; the transport escapes only what cannot stand in an
// address at all, such as a space).

enum class ServiceEndpoint { UserInfo, ServerListPc, GetStaticIpList, SetStaticIp, IpInfoHtml };

struct ServiceAddress {
  std::string host;
  int port = 8001;
};

// The endpoint's address with its placeholders ("[user]", "[password]", "[ip]") still in.
std::string ServiceUrl(const ServiceAddress& address, ServiceEndpoint endpoint);

// The text with every occurrence of the placeholder (exact case) replaced by the value as it is.
std::string ReplacePlaceholder(std::string_view text, std::string_view placeholder, std::string_view value);

// A response body as text: its bytes up to the first zero byte.
std::string ResponseText(std::string_view body);

// What a login answer says, cut out of the decoded answer by its markers.
struct LoginAnswer {
  std::string response;    // the answer with its escapes resolved
  std::string code;        // "100" when the login succeeded
  std::string expiryTime;  // read only on success
  std::string message;     // read only on failure; empty when the answer had another layout
  bool Succeeded() const { return code == "100"; }
};

LoginAnswer RequestLogin(const platform::HttpRequestFactory& http, const ServiceAddress& address,
                         std::string_view user, std::string_view password);

// A line list that passed its checks, or the error code of the check that failed: 1 no answer or
// an HTTP status other than 200, 2 a body that is not JSON, otherwise the "code" received in place
// of the expected one (0 when absent, so 0 is an error code too).
struct LineListDownload {
  bool ok = false;
  std::string body{};  // when ok
  int error = 0;     // when not ok
};

// Expected codes: 200 for the dynamic list, 100 for the static list.
inline constexpr int kDynamicListCode = 200;
inline constexpr int kStaticListCode = 100;

LineListDownload DownloadLineList(const platform::HttpRequestFactory& http, const std::string& url,
                                  int expectedCode);

// Reserves the static line for the account; true when the answer holds "100" anywhere.
bool RequestStaticIpReservation(const platform::HttpRequestFactory& http, const ServiceAddress& address,
                                std::string_view account, std::string_view staticIp);

// The public-address answer: its HTTP status and its UTF-8 text in the system's code page.
struct IpInfoAnswer {
  int status = 0;
  std::string text;
};

IpInfoAnswer RequestIpInfo(const platform::HttpRequestFactory& http, const ServiceAddress& address);
