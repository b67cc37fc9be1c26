#include "service/http_request.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>
#include <string>
#include <thread>  // the clocks too: <chrono> holds a literal GBK cannot take
#include <vector>

#include "service/base64.h"
#include "service/http_cookies.h"
#include "service/http_headers.h"
#include "tests/support/loopback_http_server.h"

namespace {

const std::string kUserAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
const std::string kUrl = "http://api.example:8001/userinfo/?type=trevalo&user=a&password=b";

// ---- The pure helpers ----

struct TextCase {
  std::string input;
  std::string expected;
};

TEST(NormaliseHeaderNames, CapitalisesEveryPartOfEachNameAndDropsLinesWithoutColon) {
  const TextCase cases[] = {
      {"accept-language: zh-cn", "Accept-Language: zh-cn"},
      {"x-API-key: 1", "X-API-Key: 1"},
      {"\r\nAccept: */*\r\nreferer: http://a/b:c", "Accept: */*\r\nReferer: http://a/b:c"},
      {"x-a: lower-case value", "X-A: lower-case value"},
      {"no colon\r\nx-a:1\r\n", "X-A:1"},
      {"a--b: 1\r\n-x: 2", "A--B: 1\r\n-X: 2"},
      {" user-agent: x", " user-Agent: x"},
      {"", ""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(NormaliseHeaderNames(c.input), c.expected) << c.input;
}

struct MergeCase {
  std::string sent;
  std::string received;
  std::string expected;
};

TEST(MergeCookies, ReceivedCookiesWinSentOnesFollowDeletedOnesGo) {
  const MergeCase cases[] = {
      {"", "", ""},
      {"a=1; b=2", "", "a=1; b=2"},
      {"", "a=1", "a=1"},
      {"a=1; b=2", "b=3", "b=3; a=1"},
      {"a=1", "a=deleted", ""},
      {"a=1; b=2", "b=deleted; c=3", "c=3; a=1"},
      {" a=1; ", "c=3;", "c=3; a=1"},
      {"a=1; a=1", "", "a=1"},
      {"flag; b=2", "flag", "flag; b=2"},
      {"a =1", "a=2", "a=2"},
      {"A=1", "a=2", "a=2; A=1"},
  };
  for (const MergeCase& c : cases) {
    EXPECT_EQ(MergeCookies(c.sent, c.received), c.expected)
        << "sent \"" << c.sent << "\", received \"" << c.received << "\"";
  }
}

TEST(RemoveDuplicateItems, KeepsTheFirstOfEqualItems) {
  const TextCase cases[] = {
      {"", ""}, {"a", "a"}, {"a; b; a", "a; b"}, {"a=1; a=2; a=1", "a=1; a=2"}, {"a; ; a", "a"}, {"a;b; a;b", "a;b"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(RemoveDuplicateItems(c.input), c.expected) << c.input;
}

TEST(Base64Encode, EncodesWithTheStandardAlphabetAndPadding) {
  const TextCase cases[] = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"},
      {"\xFB\xEF\xFF", "++//"},
      {std::string("\0\0", 2), "AAA="},
      {"user:pw", "dXNlcjpwdw=="},
  };
  for (const TextCase& c : cases) EXPECT_EQ(Base64Encode(c.input), c.expected) << c.expected;
}

struct CompleteCase {
  std::string headers;
  bool isPost;
  std::string expected;
};

TEST(CompleteRequestHeaders, AddsEachDefaultHeaderTheTextLacks) {
  const std::string defaults =
      "\r\nAccept: */*\r\nReferer: " + kUrl + "\r\nAccept-Language: zh-cn\r\nUser-Agent: " + kUserAgent;
  const CompleteCase cases[] = {
      {"", false, defaults},
      {"", true, defaults + "\r\nContent-Type: application/x-www-form-urlencoded"},
      {"content-type: text/plain", true, "content-type: text/plain" + defaults},
      {"user-agent: x", false, "user-agent: x\r\nAccept: */*\r\nReferer: " + kUrl + "\r\nAccept-Language: zh-cn"},
      {"ACCEPT:text/html\r\nAccept-Language: en", false,
       "ACCEPT:text/html\r\nAccept-Language: en\r\nReferer: " + kUrl + "\r\nUser-Agent: " + kUserAgent},
      // The name is sought anywhere in the text, so another header holding it counts as well.
      {"X-Referer: 1", false, "X-Referer: 1\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nUser-Agent: " + kUserAgent},
      // "A" here is the second byte of a GBK character, not the start of "Accept:".
      {"X: \x81"
       "Accept: 1",
       false,
       "X: \x81"
       "Accept: 1" +
           defaults},
  };
  for (const CompleteCase& c : cases)
    EXPECT_EQ(CompleteRequestHeaders(c.headers, kUrl, c.isPost), c.expected) << c.headers;
}

struct SplitCase {
  std::string headers;
  std::vector<std::pair<std::string, std::string>> expected;
};

TEST(SplitRequestHeaders, GivesTrimmedNamesAndValuesWithoutKeepAlive) {
  const SplitCase cases[] = {
      {"", {{"", ""}}},
      {"X-A: 1", {{"X-A", "1"}}},
      {"no colon", {{"", ""}}},
      {" X-A :  a:b  ", {{"X-A", "a:b"}}},
      {"Connection: keep-alive", {{"Connection", "keep-alive"}}},  // a single line is set whatever it is
      {"A: 1\r\n\r\nConnection: keep-alive\r\nB: 2", {{"A", "1"}, {"B", "2"}}},
      {"Connection: close\r\nconnection: keep-alive\r\nConnection: Keep-Alive",
       {{"Connection", "close"}, {"connection", "keep-alive"}, {"Connection", "Keep-Alive"}}},
      {"A: 1\r\nnocolon", {{"A", "1"}, {"", ""}}},
  };
  for (const SplitCase& c : cases) {
    std::vector<std::pair<std::string, std::string>> fields;
    for (const HeaderField& field : SplitRequestHeaders(c.headers)) fields.emplace_back(field.name, field.value);
    EXPECT_EQ(fields, c.expected) << c.headers;
  }
}

TEST(ExtractResponseCookies, TakesTheValueOfEverySetCookieLine) {
  const TextCase cases[] = {
      {"Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n\r\n", "a=1; b=2"},
      {"", ""},
      {"Content-Length: 0\r\n\r\n", ""},
      {"set-cookie: a=1\r\nSet-Cookie:b=2\r\n", ""},  // the name is matched exactly, and with ": "
      {"X: 1\r\nSet-Cookie:  c=3 ;HttpOnly\r\n", "c=3"},
      {"Set-Cookie: d=SET-COOKIE:4\r\n", "d=4"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(ExtractResponseCookies(c.input), c.expected) << c.input;
}

// ---- HttpRequest driving a fake request object ----

// Everything a fake request object was told, and the answer it gives.
struct FakeRecord {
  std::vector<std::string> calls;
  std::string body;
  std::string headers;
  int status = 0;
  int created = 0;
};

class FakeRequestObject final : public platform::HttpRequestObject {
 public:
  explicit FakeRequestObject(FakeRecord& record) : record_(record) {}

  void SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) override {
    Log("SetTimeouts " + std::to_string(resolveMs) + " " + std::to_string(connectMs) + " " + std::to_string(sendMs) +
        " " + std::to_string(receiveMs));
  }
  void SetProxy(platform::ProxySetting setting, const std::string& proxyServer) override {
    Log("SetProxy " + std::to_string(static_cast<int>(setting)) + " " + proxyServer);
  }
  void Open(const std::string& verb, const std::string& url) override { Log("Open " + verb + " " + url); }
  void SetOption(platform::HttpRequestOption option, int value) override {
    Log("Option " + std::to_string(static_cast<int>(option)) + " " + std::to_string(value));
  }
  void SetCredentials(const std::string& user, const std::string& password, int target) override {
    Log("SetCredentials " + user + " " + password + " " + std::to_string(target));
  }
  void SetRequestHeader(const std::string& name, const std::string& value) override { Log(name + ": " + value); }
  void Send(std::string_view body) override { Log("Send " + std::string(body)); }
  std::string ResponseBody() const override { return record_.body; }
  std::string GetAllResponseHeaders() const override { return record_.headers; }
  int Status() const override { return record_.status; }
  std::string StatusText() const override { return "OK"; }

 private:
  void Log(const std::string& call) { record_.calls.push_back(call); }
  FakeRecord& record_;
};

platform::HttpRequestFactory FakeFactory(FakeRecord& record) {
  return [&record]() -> std::unique_ptr<platform::HttpRequestObject> {
    ++record.created;
    return std::make_unique<FakeRequestObject>(record);
  };
}

std::vector<std::string> DefaultHeaderCalls(const std::string& url) {
  return {"Accept: */*", "Referer: " + url, "Accept-Language: zh-cn", "User-Agent: " + kUserAgent};
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(HttpRequest, WithTheAddressAloneMakesTheClientsStandardRequest) {
  FakeRecord record;
  HttpRequest(FakeFactory(record), kUrl);
  EXPECT_EQ(record.calls, Concat({"SetTimeouts 15000 15000 15000 15000", "Open GET " + kUrl, "Option 4 13056"},
                                 Concat(DefaultHeaderCalls(kUrl), {"Send "})));
}

TEST(HttpRequest, TurnsTheMethodIntoItsVerbAndUnknownOnesIntoGet) {
  const std::pair<int, std::string> cases[] = {{0, "GET"},     {1, "POST"},   {2, "HEAD"},  {3, "PUT"},
                                               {4, "OPTIONS"}, {5, "DELETE"}, {6, "TRACE"}, {7, "CONNECT"},
                                               {8, "GET"},     {9, "GET"},    {-1, "GET"}};
  for (const auto& [method, verb] : cases) {
    FakeRecord record;
    HttpRequest(FakeFactory(record), kUrl, {.method = method});
    ASSERT_GE(record.calls.size(), 2u);
    EXPECT_EQ(record.calls[1], "Open " + verb + " " + kUrl) << method;
    bool formType = std::find(record.calls.begin(), record.calls.end(),
                              "Content-Type: application/x-www-form-urlencoded") != record.calls.end();
    EXPECT_EQ(formType, method == 1) << method;
  }
}

TEST(HttpRequest, GivesAllFourTimeoutsTheSameLimit) {
  const std::pair<std::optional<int>, std::optional<int>> cases[] = {
      {std::nullopt, 15000}, {0, 15000}, {-7, 15000}, {1, 1000}, {2, 2000}, {-1, std::nullopt}, {INT_MAX, INT_MAX}};
  for (const auto& [seconds, expectedMs] : cases) {
    FakeRecord record;
    HttpRequestParameters parameters;
    if (seconds) parameters.timeoutSeconds = *seconds;
    HttpRequest(FakeFactory(record), kUrl, parameters);
    ASSERT_FALSE(record.calls.empty());
    if (expectedMs) {
      std::string ms = std::to_string(*expectedMs);
      EXPECT_EQ(record.calls[0], "SetTimeouts " + ms + " " + ms + " " + ms + " " + ms) << seconds.value_or(15);
    } else {
      EXPECT_EQ(record.calls[0], "Open GET " + kUrl) << "no SetTimeouts for -1";
    }
  }
}

TEST(HttpRequest, TakesEveryStepInOrderWithAllParametersGiven) {
  FakeRecord record;
  std::string cookies = "Cookie: a=1";
  std::string headers = "x-a: 1";
  HttpRequest(FakeFactory(record), kUrl,
              {.method = 1,
               .body = "text",
               .cookies = &cookies,
               .headers = &headers,
               .noRedirect = true,
               .binaryBody = "binary",
               .proxy = "127.0.0.1:3128",
               .timeoutSeconds = 3,
               .proxyUser = "user",
               .proxyPassword = "pw"});
  EXPECT_EQ(record.calls, Concat({"SetTimeouts 3000 3000 3000 3000", "SetProxy 2 127.0.0.1:3128", "Open POST " + kUrl,
                                  "Option 6 0", "Option 4 13056", "SetCredentials user pw 1",
                                  "Proxy-Authorization: Basic dXNlcjpwdw==", "Cookie:  a=1", "X-A: 1"},
                                 Concat(DefaultHeaderCalls(kUrl),
                                        {"Content-Type: application/x-www-form-urlencoded", "Send binary"})));
}

TEST(HttpRequest, SendsTheTextBodyWhenThereIsNoBinaryOne) {
  FakeRecord record;
  HttpRequest(FakeFactory(record), kUrl, {.method = 1, .body = "a=1"});
  EXPECT_EQ(record.calls.back(), "Send a=1");
}

TEST(HttpRequest, SetsCredentialsOnlyWithProxyAndUserAndTheBasicHeaderOnlyForTheProxy) {
  struct Case {
    std::string proxy;
    std::string user;
    int target;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"p:1", "u", 1, {"SetCredentials u pw 1", "Proxy-Authorization: Basic dTpwdw=="}},
      {"p:1", "u", 0, {"SetCredentials u pw 0"}},
      {"p:1", "", 1, {}},
      {"", "u", 1, {}},
  };
  for (const Case& c : cases) {
    FakeRecord record;
    HttpRequest(FakeFactory(record), kUrl,
                {.proxy = c.proxy, .proxyUser = c.user, .proxyPassword = "pw", .credentialTarget = c.target});
    std::vector<std::string> credentialCalls;
    for (const std::string& call : record.calls) {
      if (call.starts_with("SetCredentials") || call.starts_with("Proxy-Authorization"))
        credentialCalls.push_back(call);
    }
    EXPECT_EQ(credentialCalls, c.expected) << c.proxy << " " << c.user << " " << c.target;
  }
}

TEST(HttpRequest, SetsTheCookieHeaderWheneverCookiesAreGiven) {
  const std::pair<std::optional<std::string>, std::optional<std::string>> cases[] = {
      {std::nullopt, std::nullopt},
      {"", "Cookie: "},
      {"Cookie: a=1; COOKIE:b=2", "Cookie:  a=1; b=2"},
  };
  for (const auto& [given, expectedCall] : cases) {
    FakeRecord record;
    std::string cookies = given.value_or("");
    HttpRequest(FakeFactory(record), kUrl, {.cookies = given ? &cookies : nullptr, .mergeCookies = false});
    std::vector<std::string> cookieCalls;
    for (const std::string& call : record.calls) {
      if (call.starts_with("Cookie:")) cookieCalls.push_back(call);
    }
    EXPECT_EQ(cookieCalls, expectedCall ? std::vector{*expectedCall} : std::vector<std::string>())
        << given.value_or("(left out)");
  }
}

TEST(HttpRequest, HandsTheAnswerToTheCallersVariables) {
  FakeRecord record;
  record.body = std::string("body\0tail", 9);
  record.headers = "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n\r\n";
  record.status = 201;
  std::string cookies = "Cookie: b=0; c=3";
  std::string responseCookies;
  std::string headers = "x-api-key: 1";
  std::string responseHeaders;
  int statusCode = -1;

  std::string body = HttpRequest(FakeFactory(record), kUrl,
                                 {.cookies = &cookies,
                                  .responseCookies = &responseCookies,
                                  .headers = &headers,
                                  .responseHeaders = &responseHeaders,
                                  .statusCode = &statusCode});
  EXPECT_EQ(body, record.body);
  EXPECT_EQ(statusCode, 201);
  EXPECT_EQ(responseHeaders, record.headers);
  EXPECT_EQ(responseCookies, "a=1; b=2; c=3");
  EXPECT_EQ(cookies, "a=1; b=2; c=3");
  EXPECT_EQ(headers, "X-Api-Key: 1\r\nAccept: */*\r\nReferer: " + kUrl +
                         "\r\nAccept-Language: zh-cn\r\nUser-Agent: " + kUserAgent);
}

TEST(HttpRequest, WithoutMergingKeepsTheCookiesToSendAndReportsTheAnswersOwn) {
  FakeRecord record;
  record.headers = "Set-Cookie: a=1; path=/\r\n\r\n";
  std::string cookies = "cookie: b=0";
  std::string responseCookies;
  HttpRequest(FakeFactory(record), kUrl,
              {.cookies = &cookies, .responseCookies = &responseCookies, .mergeCookies = false});
  EXPECT_EQ(cookies, " b=0");
  EXPECT_EQ(responseCookies, "a=1");
}

TEST(HttpRequest, WithoutCompletionAndNormalisationSendsTheCallersHeadersAsGiven) {
  FakeRecord record;
  std::string headers = "connection: keep-alive";
  HttpRequest(FakeFactory(record), kUrl, {.headers = &headers, .completeHeaders = false, .normaliseHeaderCase = false});
  EXPECT_EQ(record.calls, (std::vector<std::string>{"SetTimeouts 15000 15000 15000 15000", "Open GET " + kUrl,
                                                    "Option 4 13056", "connection: keep-alive", "Send "}));
  EXPECT_EQ(headers, "connection: keep-alive");
}

TEST(HttpRequest, WithoutARequestObjectReturnsNothingAndTouchesNothing) {
  std::string cookies = "a=1";
  std::string headers = "X: 1";
  std::string responseHeaders = "before";
  int statusCode = 77;
  std::string body = HttpRequest(
      [] { return std::unique_ptr<platform::HttpRequestObject>(); }, kUrl,
      {.cookies = &cookies, .headers = &headers, .responseHeaders = &responseHeaders, .statusCode = &statusCode});
  EXPECT_EQ(body, "");
  EXPECT_EQ(cookies, "a=1");
  EXPECT_EQ(headers, "X: 1");
  EXPECT_EQ(responseHeaders, "before");
  EXPECT_EQ(statusCode, 77);
}

TEST(HttpRequest, UsesTheGivenRequestObjectAndLeavesItToItsOwner) {
  FakeRecord factoryRecord;
  FakeRecord sharedRecord;
  sharedRecord.body = "shared";
  FakeRequestObject shared(sharedRecord);
  EXPECT_EQ(HttpRequest(FakeFactory(factoryRecord), kUrl, {.requestObject = &shared}), "shared");
  EXPECT_EQ(HttpRequest(FakeFactory(factoryRecord), kUrl, {.requestObject = &shared}), "shared");
  EXPECT_EQ(factoryRecord.created, 0);
  EXPECT_EQ(std::count(sharedRecord.calls.begin(), sharedRecord.calls.end(), "Open GET " + kUrl), 2);
}

// ---- HttpRequest on the wire, with the platform's request object ----

// The request the server should see: request line, Host, the header lines and the blank line.
std::string ExpectedRequest(const LoopbackHttpServer& server, const std::string& path, const std::string& headerLines) {
  return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n" + headerLines +
         "\r\n";
}

TEST(HttpRequestOnTheWire, CarriesExactlyTheFourDefaultHeadersInOrder) {
  LoopbackHttpServer server({MakeResponse("HTTP/1.1 200 OK", {}, "{\"code\":100}")});
  const std::string url = server.Url("/userinfo/?user=a");
  int statusCode = 0;
  EXPECT_EQ(HttpRequest(platform::CreateHttpRequestObject, url, {.statusCode = &statusCode}), "{\"code\":100}");
  EXPECT_EQ(statusCode, 200);
  EXPECT_EQ(server.Requests(), std::vector<std::string>{ExpectedRequest(
                                   server, "/userinfo/?user=a",
                                   "Accept: */*\r\nReferer: " + url +
                                       "\r\nAccept-Language: zh-cn\r\nUser-Agent: " + kUserAgent + "\r\n")});
}

TEST(HttpRequestOnTheWire, ACallersUserAgentReplacesTheDefaultOne) {
  LoopbackHttpServer server({MakeResponse("HTTP/1.1 200 OK", {}, "")});
  const std::string url = server.Url("/");
  std::string headers = "user-agent: x";
  HttpRequest(platform::CreateHttpRequestObject, url, {.headers = &headers});
  EXPECT_EQ(server.Requests(),
            std::vector<std::string>{ExpectedRequest(
                server, "/", "User-Agent: x\r\nAccept: */*\r\nReferer: " + url + "\r\nAccept-Language: zh-cn\r\n")});
}

TEST(HttpRequestOnTheWire, ACallersConnectionKeepAliveIsNotSent) {
  LoopbackHttpServer server({MakeResponse("HTTP/1.1 200 OK", {}, "")});
  const std::string url = server.Url("/");
  std::string headers = "Connection: keep-alive\r\nX-Other: 1";
  HttpRequest(platform::CreateHttpRequestObject, url, {.headers = &headers});
  EXPECT_EQ(server.Requests(), std::vector<std::string>{ExpectedRequest(
                                   server, "/",
                                   "X-Other: 1\r\nAccept: */*\r\nReferer: " + url +
                                       "\r\nAccept-Language: zh-cn\r\nUser-Agent: " + kUserAgent + "\r\n")});
}

TEST(HttpRequestOnTheWire, TwoSetCookieHeadersGiveBothCookies) {
  LoopbackHttpServer server(
      {MakeResponse("HTTP/1.1 200 OK", {"Set-Cookie: a=1; path=/", "Set-Cookie: b=2"}, std::string("x\0y", 3))});
  std::string responseCookies;
  std::string responseHeaders;
  std::string body = HttpRequest(platform::CreateHttpRequestObject, server.Url("/"),
                                 {.responseCookies = &responseCookies, .responseHeaders = &responseHeaders});
  EXPECT_EQ(responseCookies, "a=1; b=2");
  EXPECT_EQ(responseHeaders, "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nContent-Length: 3\r\n\r\n");
  EXPECT_EQ(body, std::string("x\0y", 3));
}

TEST(HttpRequestOnTheWire, AServerThatCannotBeReachedGivesNoBodyAndStatusZero) {
  std::string responseHeaders = "stale";
  std::string responseCookies = "stale";
  int statusCode = 200;
  std::string body = HttpRequest(
      platform::CreateHttpRequestObject, "http://127.0.0.1:" + std::to_string(ClosedLoopbackPort()) + "/",
      {.responseCookies = &responseCookies, .responseHeaders = &responseHeaders, .statusCode = &statusCode});
  EXPECT_EQ(body, "");
  EXPECT_EQ(statusCode, 0);
  EXPECT_EQ(responseHeaders, "");
  EXPECT_EQ(responseCookies, "");
}

TEST(HttpRequestOnTheWire, ATwoSecondTimeoutEndsAfterAboutTwoSeconds) {
  ScriptedResponse stalled;
  stalled.neverAnswer = true;
  LoopbackHttpServer server({stalled});
  int statusCode = -1;
  auto start = std::chrono::steady_clock::now();
  std::string body = HttpRequest(platform::CreateHttpRequestObject, server.Url("/ipinfohtml/"),
                                 {.statusCode = &statusCode, .timeoutSeconds = 2});
  std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took.count(), 1.5);
  EXPECT_LE(took.count(), 4.0);
  EXPECT_EQ(body, "");
  EXPECT_EQ(statusCode, 0);
}

TEST(HttpRequestOnTheWire, CallsOnSeveralThreadsAtOnceAllSucceed) {
  LoopbackHttpServer server({MakeResponse("HTTP/1.1 200 OK", {}, "list")});
  constexpr int kThreads = 4;
  std::vector<int> statuses(kThreads, -1);
  std::vector<std::string> bodies(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      bodies[i] =
          HttpRequest(platform::CreateHttpRequestObject, server.Url("/serverlistpc/"), {.statusCode = &statuses[i]});
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(statuses, std::vector<int>(kThreads, 200));
  EXPECT_EQ(bodies, std::vector<std::string>(kThreads, "list"));
  EXPECT_EQ(server.Requests().size(), static_cast<std::size_t>(kThreads));
}

}  // namespace
