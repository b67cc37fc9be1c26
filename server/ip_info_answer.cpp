#include "server/endpoint_answers.h"

namespace line_service {

namespace {

// Where this machine's own requests are placed: the demo runs everything on loopback.
constexpr std::string_view kLoopbackLocation = "中国-广东-深圳";
constexpr std::string_view kUnknownLocation = "未知";

// A dual-stack socket reports an IPv4 peer as ::ffff:a.b.c.d.
std::string_view PlainAddress(std::string_view address) {
  constexpr std::string_view kMappedPrefix = "::ffff:";
  if (address.starts_with(kMappedPrefix) && address.find('.') != std::string_view::npos)
    address.remove_prefix(kMappedPrefix.size());
  return address;
}

bool IsLoopback(std::string_view address) { return address.starts_with("127.") || address == "::1"; }

}  // namespace

// The location is that of the line whose exit address or host the request came from, so a request
// through a line shows the line's place; parts are joined by "-" behind "中国-", as the client expects.
Answer AnswerIpInfo(LineStore& store, std::string_view peerAddress) {
  const std::string_view address = PlainAddress(peerAddress);
  std::string location;
  if (const auto line = store.FindLineByAddress(address))
    location = "中国-" + line->province + "-" + line->city;
  else
    location = IsLoopback(address) ? kLoopbackLocation : kUnknownLocation;
  std::string body = "<ip>";
  body += address;
  body += "</ip><pos>" + location + "</pos>";
  return Answer{200, "text/html; charset=utf-8", body};
}

}  // namespace line_service
