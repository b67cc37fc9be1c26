#include "server/http_endpoints.h"

#include <sys/socket.h>

#include <cstdio>
#include <ctime>
#include <exception>

#include "server/endpoint_answers.h"
#include "server/service_time.h"

namespace line_service {

namespace {

// The raw query, as the client wrote it: the library's own parameter map would split values at
// every "&" and turn "+" into a space.
std::string_view RawQuery(const httplib::Request& request) {
  const std::string_view target = request.target;
  const std::size_t mark = target.find('?');
  return mark == std::string_view::npos ? std::string_view() : target.substr(mark + 1);
}

std::string Now() { return FormatLocalTime(std::time(nullptr)); }

template <typename Answering>
httplib::Server::Handler Endpoint(Answering answering) {
  return [answering](const httplib::Request& request, httplib::Response& response) {
    Answer answer;
    try {
      answer = answering(request);
    } catch (const std::exception& failure) {
      std::fprintf(stderr, "line-service: %s: %s\n", request.path.c_str(), failure.what());
      answer = ErrorAnswer("服务器内部错误", kCodeInternal, 500);
    }
    response.status = answer.status;
    response.set_content(answer.body, answer.contentType.c_str());
  };
}

// Only SO_REUSEADDR: the library's default also sets SO_REUSEPORT, with which a second service
// started on a taken port would share it silently instead of failing.
void ExclusiveAddress(socket_t socket) {
  int yes = 1;
  setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

}  // namespace

void PrepareServer(httplib::Server& server, LineStore& store) {
  server.set_socket_options(ExclusiveAddress);
  server.Get("/userinfo/", Endpoint([&store](const httplib::Request& request) {
               return AnswerUserInfo(store, RawQuery(request), Now());
             }));
  server.Get("/serverlistpc/", Endpoint([&store](const httplib::Request&) { return AnswerServerList(store); }));
  server.Get("/getstaticiplist/", Endpoint([&store](const httplib::Request&) { return AnswerStaticIpList(store); }));
  server.Get("/setstaticip/", Endpoint([&store](const httplib::Request& request) {
               return AnswerSetStaticIp(store, RawQuery(request), Now());
             }));
  server.Get("/ipinfohtml/",
             Endpoint([&store](const httplib::Request& request) { return AnswerIpInfo(store, request.remote_addr); }));
}

}  // namespace line_service
