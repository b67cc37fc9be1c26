#include "service/service_endpoints.h"

#include <gtest/gtest.h>
#include <signal.h>

#include "lines/line_list.h"
#include "tests/support/line_service_process.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/temp_folder.h"

namespace {

const platform::HttpRequestFactory kHttp = platform::CreateHttpRequestObject;

TEST(ServiceUrl, PlaceholdersAreReplacedEverywhereByTheRawValue) {
  ServiceAddress address{"api.example.test", 8001};
  EXPECT_EQ(ServiceUrl(address, ServiceEndpoint::UserInfo),
            "http://api.example.test:8001/userinfo/?type=trevalo&user=[user]&password=[password]");
  EXPECT_EQ(ServiceUrl(address, ServiceEndpoint::IpInfoHtml), "http://api.example.test:8001/ipinfohtml/");
  EXPECT_EQ(ReplacePlaceholder("[ip]-[ip]-[IP]", "[ip]", "a&b c%20"), "a&b c%20-a&b c%20-[IP]");
  EXPECT_EQ(ReplacePlaceholder("[user]", "[user]", "[user]"), "[user]");
}

TEST(ResponseText, EndsAtTheFirstZeroByte) {
  EXPECT_EQ(ResponseText(std::string("ok\0rest", 7)), "ok");
}

class ScriptedService : public testing::Test {
 protected:
  ServiceAddress Serve(const std::string& body, const std::string& status = "HTTP/1.1 200 OK") {
    server = std::make_unique<LoopbackHttpServer>(std::vector<ScriptedResponse>{MakeResponse(status, {}, body)});
    return {"127.0.0.1", server->port()};
  }
  std::unique_ptr<LoopbackHttpServer> server;
};

TEST_F(ScriptedService, LoginAnswersAreReadByTheirMarkers) {
  struct {
    std::string body;
    std::string code;
    std::string expiry;
    std::string message;
  } cases[] = {
      {R"({"code": 100, "data": {"expiretime": "2022-11-25 10:28:17"}})", "100", "2022-11-25 10:28:17", ""},
      // Whatever follows the expiry up to the next "} belongs to it.
      {R"({"code": 100, "data": {"expiretime": "2022-11-25", "vip": "1"}})", "100", "2022-11-25\", \"vip\": \"1", ""},
      {R"({"code": 100, "data": {"expiretime": "2022-11-25" }})", "100", "", ""},
      // Without the space after its colon the code does not match: a failure with no message.
      {R"({"code":100, "data": {"expiretime": "2022-11-25"}})", "", "", ""},
      {R"({"status": "error", "msg": "\u8d26\u53f7\u5df2\u8fc7\u671f", "code": 102})", "", "", "账号已过期"},
      {R"({"status": "error", "msg": "it\u0027s \"x\"", "code": 101})", "", "", "it's \"x\""},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    LoginAnswer answer = RequestLogin(kHttp, Serve(c.body), "u", "p");
    EXPECT_EQ(answer.code, c.code) << c.body;
    EXPECT_EQ(answer.expiryTime, c.expiry) << c.body;
    EXPECT_EQ(answer.message, c.message) << c.body;
    EXPECT_EQ(answer.Succeeded(), c.code == "100");
  }
}

TEST_F(ScriptedService, AReservationSucceedsWhenTheAnswerHolds100Anywhere) {
  struct {
    std::string body;
    std::string status;
    bool reserved;
  } cases[] = {
      {R"({"code": 100})", "HTTP/1.1 200 OK", true},
      {"2100", "HTTP/1.1 200 OK", true},
      {"100", "HTTP/1.1 500 Internal Server Error", true},  // the status is not looked at
      {R"({"code": 106})", "HTTP/1.1 200 OK", false},
      {std::string("\0" "100", 4), "HTTP/1.1 200 OK", false},  // the text ends at the zero byte
  };
  for (const auto& c : cases) EXPECT_EQ(RequestStaticIpReservation(kHttp, Serve(c.body, c.status), "u", "1.2.3.4"), c.reserved) << c.body;
  EXPECT_FALSE(RequestStaticIpReservation(kHttp, {"127.0.0.1", ClosedLoopbackPort()}, "u", "1.2.3.4"));
}

TEST_F(ScriptedService, IpInfoArrivesAsUtf8AndIsHandedOnInTheSystemCodePage) {
  std::string utf8 = reinterpret_cast<const char*>(u8"<ip>203.0.113.5</ip><pos>中国-广东-深圳</pos>");
  IpInfoAnswer answer = RequestIpInfo(kHttp, Serve(utf8));
  EXPECT_EQ(answer.status, 200);
  EXPECT_EQ(answer.text, "<ip>203.0.113.5</ip><pos>中国-广东-深圳</pos>");
  EXPECT_EQ(RequestIpInfo(kHttp, {"127.0.0.1", ClosedLoopbackPort()}).status, 0);
}

// The client against the reference line service, started here as the demo starts it.
class ReferenceService : public testing::Test {
 protected:
  void SetUp() override {
    port = service.WaitForListening();
    ASSERT_GT(port, 0);
    address = {"127.0.0.1", port};
  }
  void TearDown() override {
    service.Signal(SIGTERM);
    EXPECT_EQ(service.WaitForExit(), 0);
  }

  TempFolder folder;
  LineServiceProcess service{{"--port", "0", "--db", folder.File("lines.db")}};
  int port = 0;
  ServiceAddress address;
};

TEST_F(ReferenceService, LogsInTheDemoAccountAndRefusesAWrongPassword) {
  LoginAnswer good = RequestLogin(kHttp, address, "demo", "demo123");
  EXPECT_TRUE(good.Succeeded());
  EXPECT_EQ(good.expiryTime.size(), 19u) << good.expiryTime;

  LoginAnswer bad = RequestLogin(kHttp, address, "demo", "wrong");
  EXPECT_FALSE(bad.Succeeded());
  EXPECT_EQ(bad.message, "账号或密码错误");
}

TEST_F(ReferenceService, ServesBothLineLists) {
  LineListDownload dynamic =
      DownloadLineList(kHttp, ServiceUrl(address, ServiceEndpoint::ServerListPc), kDynamicListCode);
  ASSERT_TRUE(dynamic.ok);
  ParsedLineList dynamicLines = ParseLineList(dynamic.body, kDynamicLineMode);
  EXPECT_GT(dynamicLines.count, 200);
  EXPECT_GE(dynamicLines.groups.size(), 30u);
  EXPECT_EQ(dynamicLines.groups[0].name, "北京");

  LineListDownload statics =
      DownloadLineList(kHttp, ServiceUrl(address, ServiceEndpoint::GetStaticIpList), kStaticListCode);
  ASSERT_TRUE(statics.ok);
  ParsedLineList staticLines = ParseLineList(statics.body, kStaticLineMode);
  EXPECT_GT(staticLines.count, 50);
  EXPECT_FALSE(staticLines.groups[0].lines[0].ip.empty());

  // Each list answers with its own code: asked for the other's, it is an error with that code.
  EXPECT_EQ(DownloadLineList(kHttp, ServiceUrl(address, ServiceEndpoint::ServerListPc), kStaticListCode).error, 200);
}

TEST_F(ReferenceService, ReservesAFreeStaticLineAndRefusesOneHeldByAnother) {
  EXPECT_TRUE(RequestStaticIpReservation(kHttp, address, "demo", "198.51.100.2"));
  EXPECT_FALSE(RequestStaticIpReservation(kHttp, address, "demo", "203.0.113.1"));  // demo2 holds it
}

TEST_F(ReferenceService, TellsTheCallersAddressAndPlace) {
  IpInfoAnswer answer = RequestIpInfo(kHttp, address);
  EXPECT_EQ(answer.status, 200);
  EXPECT_EQ(answer.text, "<ip>127.0.0.1</ip><pos>中国-广东-深圳</pos>");
}

}  // namespace
