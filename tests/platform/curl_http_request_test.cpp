#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/codepage.h"
#include "platform/http_request_object.h"
#include "tests/support/loopback_http_server.h"

namespace {

using platform::CreateHttpRequestObject;
using platform::HttpRequestObject;
using platform::HttpRequestOption;

constexpr std::size_t kMiB = std::size_t{1} << 20;

// A request as the server should receive it: the request line, the Host header, the given header
// lines (each ending in CR LF), the blank line and the body.
std::string Expected(const LoopbackHttpServer& server, const std::string& requestLine, const std::string& headerLines,
                     const std::string& body = "") {
  return requestLine + "\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n" + headerLines + "\r\n" + body;
}

void ExpectNoAnswer(const HttpRequestObject& request) {
  EXPECT_EQ(request.Status(), 0);
  EXPECT_EQ(request.StatusText(), "");
  EXPECT_EQ(request.GetAllResponseHeaders(), "");
  EXPECT_EQ(request.ResponseBody(), "");
}

ScriptedResponse Ok() { return MakeResponse("HTTP/1.1 200 OK", {}, "ok"); }

TEST(CurlHttpRequest, SendsExactlyTheHeadersSetInTheirOrder) {
  LoopbackHttpServer server({Ok()});
  auto request = CreateHttpRequestObject();
  request->Open("GET", server.Url("/list/"));
  request->SetRequestHeader("User-Agent", "agent");
  request->SetRequestHeader("Referer", "http://r/");
  request->SetRequestHeader("Accept", "*/*");
  request->SetRequestHeader("X-Last", "1");
  request->Send("");

  EXPECT_EQ(server.Requests(), std::vector<std::string>{Expected(
                                   server, "GET /list/ HTTP/1.1",
                                   "User-Agent: agent\r\nReferer: http://r/\r\nAccept: */*\r\nX-Last: 1\r\n")});
  EXPECT_EQ(request->Status(), 200);
  EXPECT_EQ(request->ResponseBody(), "ok");
}

TEST(CurlHttpRequest, ABareRequestCarriesTheHostAlone) {
  LoopbackHttpServer server({Ok()});
  auto request = CreateHttpRequestObject();
  request->Open("GET", server.Url("/"));
  request->Send("");
  EXPECT_EQ(server.Requests(), std::vector<std::string>{Expected(server, "GET / HTTP/1.1", "")});
}

TEST(CurlHttpRequest, SetRequestHeaderReplacesInPlaceRemovesOnEmptyAndRefusesMalformed) {
  LoopbackHttpServer server({Ok()});
  auto request = CreateHttpRequestObject();
  request->Open("GET", server.Url("/"));
  request->SetRequestHeader("X-A", "1");
  request->SetRequestHeader("X-B", "2");
  request->SetRequestHeader("X-C", "3");
  request->SetRequestHeader("x-a", "4");
  request->SetRequestHeader("X-B", "");
  request->SetRequestHeader("Bad Name", "v");
  request->SetRequestHeader("", "v");
  request->SetRequestHeader("X-C", "a\r\nInjected: 1");
  request->SetRequestHeader("X-D", "a\nb");
  request->SetRequestHeader("X-E", std::string("a\0b", 3));
  request->Send("");
  EXPECT_EQ(server.Requests(), std::vector<std::string>{Expected(server, "GET / HTTP/1.1", "x-a: 4\r\nX-C: 3\r\n")});
}

TEST(CurlHttpRequest, OpenStartsAfreshButKeepsTheOptions) {
  LoopbackHttpServer server({MakeResponse("HTTP/1.1 302 Found", {"Location: /elsewhere"}, "moved")});
  auto request = CreateHttpRequestObject();
  request->SetOption(HttpRequestOption::EnableRedirects, 0);
  request->Open("GET", server.Url("/first"));
  request->SetRequestHeader("X-First", "1");
  request->Send("");
  request->Open("GET", server.Url("/second"));
  EXPECT_EQ(request->Status(), 0);
  request->Send("");

  EXPECT_EQ(server.Requests(), (std::vector<std::string>{Expected(server, "GET /first HTTP/1.1", "X-First: 1\r\n"),
                                                         Expected(server, "GET /second HTTP/1.1", "")}));
  EXPECT_EQ(request->Status(), 302);
}

struct VerbCase {
  std::string verb;
  std::string body;
  std::string requestLine;
  std::string headerLines;  // what the transport adds for the body
  std::string sentBody;
};

TEST(CurlHttpRequest, SendsEachVerbWithTheBodyAndNothingOfItsOwn) {
  const std::string large(4096, 'b');  // large enough for an Expect: 100-continue, which must not go out
  const VerbCase cases[] = {
      {"POST", "a=1&b=2", "POST / HTTP/1.1", "Content-Length: 7\r\n", "a=1&b=2"},
      {"POST", "", "POST / HTTP/1.1", "Content-Length: 0\r\n", ""},
      {"POST", large, "POST / HTTP/1.1", "Content-Length: 4096\r\n", large},
      {"POST", std::string("a\0b", 3), "POST / HTTP/1.1", "Content-Length: 3\r\n", std::string("a\0b", 3)},
      {"PUT", "x", "PUT / HTTP/1.1", "Content-Length: 1\r\n", "x"},
      {"GET", "q", "GET / HTTP/1.1", "Content-Length: 1\r\n", "q"},
      {"DELETE", "", "DELETE / HTTP/1.1", "", ""},
      {"OPTIONS", "", "OPTIONS / HTTP/1.1", "", ""},
      {"HEAD", "", "HEAD / HTTP/1.1", "", ""},
  };
  for (const VerbCase& c : cases) {
    SCOPED_TRACE(c.verb + " with " + std::to_string(c.body.size()) + " bytes");
    LoopbackHttpServer server({MakeResponse("HTTP/1.1 200 OK", {}, "")});
    auto request = CreateHttpRequestObject();
    request->Open(c.verb, server.Url("/"));
    request->Send(c.body);
    EXPECT_EQ(server.Requests(), std::vector<std::string>{Expected(server, c.requestLine, c.headerLines, c.sentBody)});
    EXPECT_EQ(request->Status(), 200);
  }
}

TEST(CurlHttpRequest, ReadsStatusReasonHeadersAndBodyOfTheAnswer) {
  const std::string body("a\0b", 3);
  LoopbackHttpServer server({MakeResponse("HTTP/1.1 404 Not Found",
                                          {"Set-Cookie: a=1; path=/", "Set-Cookie: b=2", "X-Odd:  spaced "}, body)});
  auto request = CreateHttpRequestObject();
  request->Open("GET", server.Url("/"));
  request->Send("");
  EXPECT_EQ(request->Status(), 404);
  EXPECT_EQ(request->StatusText(), "Not Found");
  EXPECT_EQ(request->GetAllResponseHeaders(),
            "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nX-Odd:  spaced \r\nContent-Length: 3\r\n\r\n");
  EXPECT_EQ(request->ResponseBody(), body);
}

TEST(CurlHttpRequest, AnExchangeItCannotMakeLeavesNoAnswer) {
  LoopbackHttpServer server({Ok()});
  const std::string port = std::to_string(server.port());
  const std::string urls[] = {
      "http://127.0.0.1:" + std::to_string(ClosedLoopbackPort()) + "/",
      "127.0.0.1:" + port + "/",  // no scheme
      "ftp://127.0.0.1:" + port + "/",
      "file:///etc/hostname",
      "http://",
      "not a url",
  };
  auto request = CreateHttpRequestObject();
  for (const std::string& url : urls) {
    SCOPED_TRACE(url);
    request->Open("GET", server.Url("/good"));
    request->Send("");
    ASSERT_EQ(request->Status(), 200);
    request->Open("GET", url);
    request->Send("");
    ExpectNoAnswer(*request);
  }
  EXPECT_EQ(server.Requests().size(), std::size(urls));
}

TEST(CurlHttpRequest, SendWithoutOpenLeavesNoAnswer) {
  auto request = CreateHttpRequestObject();
  request->Send("");
  ExpectNoAnswer(*request);
}

TEST(CurlHttpRequest, EscapesWhatAUrlMayNotHoldAndLeavesTheRest) {
  LoopbackHttpServer server({Ok()});
  auto request = CreateHttpRequestObject();
  // The system's texts are GBK; the address goes out in UTF-8.
  request->Open("GET",
                server.Url("/a b/" + platform::Utf8ToAnsi("线路") + "/x/../y?user=x y&k=%41~'*,;=\"<>\\^`{|}\t"));
  request->Send("");
  EXPECT_EQ(
      server.Requests(),
      std::vector<std::string>{Expected(
          server, "GET /a%20b/%E7%BA%BF%E8%B7%AF/x/../y?user=x%20y&k=%41~'*,;=%22%3C%3E%5C%5E%60%7B%7C%7D%09 HTTP/1.1",
          "")});
}

struct BodyCase {
  std::string name;
  ScriptedResponse response;
};

TEST(CurlHttpRequest, ABodyOverSixtyFourMebibytesFailsTheExchange) {
  const BodyCase cases[] = {
      {"announced",
       {"HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(70 * kMiB) + "\r\n\r\n", {}, false, 70 * kMiB}},
      {"unannounced", {"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n", {}, false, 70 * kMiB}},
  };
  for (const BodyCase& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackHttpServer server({c.response});
    auto request = CreateHttpRequestObject();
    request->Open("GET", server.Url("/"));
    request->Send("");
    ExpectNoAnswer(*request);
  }
}

TEST(CurlHttpRequest, ABodyOfSixtyFourMebibytesArrivesWhole) {
  LoopbackHttpServer server({{"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n", {}, false, 64 * kMiB}});
  auto request = CreateHttpRequestObject();
  request->Open("GET", server.Url("/"));
  request->Send("");
  EXPECT_EQ(request->Status(), 200);
  EXPECT_EQ(request->ResponseBody().size(), 64 * kMiB);
}

TEST(CurlHttpRequest, AStalledAnswerEndsAtTheReceiveLimit) {
  ScriptedResponse stalled;
  stalled.neverAnswer = true;
  LoopbackHttpServer server({stalled});
  auto request = CreateHttpRequestObject();
  request->SetTimeouts(2000, 2000, 2000, 2000);
  request->Open("GET", server.Url("/"));
  auto start = std::chrono::steady_clock::now();
  request->Send("");
  std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took.count(), 1.5);
  EXPECT_LE(took.count(), 4.0);
  ExpectNoAnswer(*request);
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(CurlHttpRequest, AnAnswerWithinTheReceiveLimitArrives) {
  ScriptedResponse late = Ok();
  late.delayMs = 1200;
  LoopbackHttpServer server({late});
  auto request = CreateHttpRequestObject();
  request->SetTimeouts(2000, 2000, 2000, 2000);
  request->Open("GET", server.Url("/"));
  request->Send("");
  EXPECT_EQ(request->Status(), 200);
  EXPECT_EQ(request->ResponseBody(), "ok");
}

TEST(CurlHttpRequest, FollowsARedirectWithTheSameHeaders) {
  LoopbackHttpServer server({MakeResponse("HTTP/1.1 302 Found", {"Location: /final", "Set-Cookie: a=1"}, "moved"),
                             MakeResponse("HTTP/1.1 200 OK", {"X-Final: 1"}, "final")});
  auto request = CreateHttpRequestObject();
  request->Open("GET", server.Url("/start"));
  request->SetRequestHeader("X-Mine", "1");
  request->Send("");
  EXPECT_EQ(server.Requests(), (std::vector<std::string>{Expected(server, "GET /start HTTP/1.1", "X-Mine: 1\r\n"),
                                                         Expected(server, "GET /final HTTP/1.1", "X-Mine: 1\r\n")}));
  EXPECT_EQ(request->Status(), 200);
  EXPECT_EQ(request->StatusText(), "OK");
  EXPECT_EQ(request->GetAllResponseHeaders(), "X-Final: 1\r\nContent-Length: 5\r\n\r\n");
  EXPECT_EQ(request->ResponseBody(), "final");
}

TEST(CurlHttpRequest, WithRedirectsOffTheRedirectIsTheAnswer) {
  LoopbackHttpServer server({MakeResponse("HTTP/1.1 302 Found", {"Location: /final"}, "moved"), Ok()});
  auto request = CreateHttpRequestObject();
  request->Open("GET", server.Url("/start"));
  request->SetOption(HttpRequestOption::EnableRedirects, 0);
  request->Send("");
  EXPECT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(request->Status(), 302);
  EXPECT_EQ(request->GetAllResponseHeaders(), "Location: /final\r\nContent-Length: 5\r\n\r\n");
  EXPECT_EQ(request->ResponseBody(), "moved");
}

TEST(CurlHttpRequest, EndlessRedirectsFailAfterTheTenthFollowed) {
  LoopbackHttpServer server({MakeResponse("HTTP/1.1 302 Found", {"Location: /again"}, "")});
  auto request = CreateHttpRequestObject();
  request->Open("GET", server.Url("/"));
  request->Send("");
  ExpectNoAnswer(*request);
  EXPECT_EQ(server.Requests().size(), 11u);
}

TEST(CurlHttpRequest, GoesThroughTheNamedProxy) {
  LoopbackHttpServer proxy({Ok()});
  auto request = CreateHttpRequestObject();
  request->SetProxy(platform::ProxySetting::Named, "127.0.0.1:" + std::to_string(proxy.port()));
  request->Open("GET", "http://service.invalid:8001/userinfo/?user=a b");
  request->SetRequestHeader("Accept", "*/*");
  request->Send("");
  EXPECT_EQ(proxy.Requests(),
            std::vector<std::string>{"GET http://service.invalid:8001/userinfo/?user=a%20b HTTP/1.1\r\n"
                                     "Host: service.invalid:8001\r\nAccept: */*\r\n\r\n"});
  EXPECT_EQ(request->Status(), 200);
}

struct ChallengeCase {
  int target;
  std::string challenge;
  std::string answerHeader;
};

TEST(CurlHttpRequest, AnswersAChallengeWithTheCredentials) {
  const ChallengeCase cases[] = {
      {platform::kCredentialsForServer, "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"r\"",
       "Authorization: Basic dXNlcjpwdw==\r\n"},
      {platform::kCredentialsForProxy,
       "HTTP/1.1 407 Proxy Authentication Required\r\nProxy-Authenticate: Basic realm=\"r\"",
       "Proxy-Authorization: Basic dXNlcjpwdw==\r\n"},
  };
  for (const ChallengeCase& c : cases) {
    SCOPED_TRACE(c.answerHeader);
    LoopbackHttpServer server({{c.challenge + "\r\nContent-Length: 0\r\n\r\n"}, Ok()});
    auto request = CreateHttpRequestObject();
    bool viaProxy = c.target == platform::kCredentialsForProxy;
    if (viaProxy) request->SetProxy(platform::ProxySetting::Named, "127.0.0.1:" + std::to_string(server.port()));
    request->Open("GET", server.Url("/"));
    request->SetCredentials("user", "pw", c.target);
    request->Send("");

    std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].find("Authorization"), std::string::npos);
    EXPECT_NE(requests[1].find("\r\n" + c.answerHeader), std::string::npos) << requests[1];
    EXPECT_EQ(request->Status(), 200);
  }
}

TEST(CurlHttpRequest, ObjectsOnSeveralThreadsWorkApart) {
  LoopbackHttpServer server({Ok()});
  constexpr int kThreads = 4;
  std::vector<int> statuses(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      auto request = CreateHttpRequestObject();
      request->SetTimeouts(10000, 10000, 10000, 10000);
      request->Open("GET", server.Url("/" + std::to_string(i)));
      request->Send("");
      statuses[i] = request->Status();
    });
  }
  for (std::thread& thread : threads) thread.join();

  EXPECT_EQ(statuses, std::vector<int>(kThreads, 200));
  std::vector<std::string> requests = server.Requests();
  std::sort(requests.begin(), requests.end());
  std::vector<std::string> expected;
  for (int i = 0; i < kThreads; ++i)
    expected.push_back(Expected(server, "GET /" + std::to_string(i) + " HTTP/1.1", ""));
  EXPECT_EQ(requests, expected);
}

}  // namespace
