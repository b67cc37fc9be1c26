// The endpoints over real HTTP on loopback, one request at a time and many at once.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "server/demo_seed.h"
#include "server/http_endpoints.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace line_service;

// The service on a free loopback port, running on a thread of its own.
class RunningService {
 public:
  explicit RunningService(LineStore& store) {
    PrepareServer(server_, store);
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) return;
    loop_ = std::thread([this] { server_.listen_after_bind(); });
    // One request before the test's own. Besides showing that the loop runs, it lets one thread
    // build the library's static table of request methods before any other reads it: the library
    // is not instrumented, so ThreadSanitizer cannot see the guard that orders those reads and
    // would report a race that is not there when the first requests arrive together.
    Client().Get("/ipinfohtml/");
  }
  ~RunningService() {
    // The loop may not have started yet, and stop() does nothing until it has.
    while (loop_.joinable() && !server_.is_running()) std::this_thread::yield();
    server_.stop();
    if (loop_.joinable()) loop_.join();
  }

  int port() const { return port_; }
  httplib::Client Client() const {
    httplib::Client client("127.0.0.1", port_);
    client.set_connection_timeout(5);
    client.set_read_timeout(10);
    return client;
  }

 private:
  httplib::Server server_;
  int port_ = -1;
  std::thread loop_;
};

std::string CodeOf(const std::string& body) {
  const std::size_t at = body.find("\"code\": ");
  if (at == std::string::npos) return {};
  const std::size_t from = at + 8;
  return body.substr(from, body.find_first_of(",}", from) - from);
}

TEST(HttpService, ServesTheEndpointsAsGetRequests) {
  LineStore store(":memory:");
  store.Fill({{{"li wang", "a+b&c", "2999-01-01 00:00:00"}},
              {{"广东", "深圳", "127.1.0.1", "电信", 0, ""}},
              {{"上海", "上海", "127.2.0.1", "电信", 0, "203.0.113.1"}},
              {}});
  RunningService service(store);
  ASSERT_GT(service.port(), 0);
  httplib::Client client = service.Client();

  auto list = client.Get("/serverlistpc/");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->status, 200);
  EXPECT_EQ(list->get_header_value("Content-Type"), "application/json");
  EXPECT_EQ(list->body,
            R"({"status": "success", "code": 200, "data": [{"province": "\u5e7f\u4e1c", "city": "\u6df1\u5733", )"
            R"("domain": "127.1.0.1", "isp": "\u7535\u4fe1", "status": 0}]})");
  auto statics = client.Get("/getstaticiplist/");
  ASSERT_TRUE(statics);
  EXPECT_EQ(CodeOf(statics->body), "100");

  auto ipInfo = client.Get("/ipinfohtml/");
  ASSERT_TRUE(ipInfo);
  EXPECT_EQ(ipInfo->status, 200);
  EXPECT_EQ(ipInfo->get_header_value("Content-Type"), "text/html; charset=utf-8");
  EXPECT_EQ(ipInfo->body, "<ip>127.0.0.1</ip><pos>中国-广东-深圳</pos>");

  // The password goes out as typed, "+" and "&" included; the space of the name needs encoding on
  // the wire, which the service resolves.
  client.set_url_encode(false);
  auto login = client.Get("/userinfo/?type=trevalo&user=li%20wang&password=a+b&c");
  ASSERT_TRUE(login);
  EXPECT_EQ(CodeOf(login->body), "100") << login->body;
  auto reserve = client.Get("/setstaticip/?user=li%20wang&ip=203.0.113.1");
  ASSERT_TRUE(reserve);
  EXPECT_EQ(CodeOf(reserve->body), "100") << reserve->body;

  auto unknown = client.Get("/userinfo");
  ASSERT_TRUE(unknown);
  EXPECT_EQ(unknown->status, 404);
  auto post = client.Post("/serverlistpc/", "", "text/plain");
  ASSERT_TRUE(post);
  EXPECT_NE(post->status, 200);
}

TEST(HttpService, AnswersAStoreFailureWithAnInternalError) {
  TempFolder folder;
  const std::string path = folder.File("lines.db");
  LineStore store(path);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "DROP TABLE reservations; DROP TABLE lines", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(other);

  RunningService service(store);
  auto list = service.Client().Get("/serverlistpc/");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->status, 500);
  EXPECT_EQ(list->body, R"({"status": "error", "msg": "\u670d\u52a1\u5668\u5185\u90e8\u9519\u8bef", "code": 500})");
  // The service keeps answering what it still can.
  auto login = service.Client().Get("/userinfo/?type=trevalo&user=x&password=y");
  ASSERT_TRUE(login);
  EXPECT_EQ(CodeOf(login->body), "101");
}

TEST(HttpService, AnswersConcurrentClients) {
  LineStore store(":memory:");
  store.Fill(DemoContent(std::time(nullptr)));
  const std::size_t dynamicCount = store.ListLines(LineKind::kDynamic).size();
  RunningService service(store);
  ASSERT_GT(service.port(), 0);

  const std::string expectedListStart = R"({"status": "success", "code": 200, "data": [{"province": )";
  std::atomic<int> good = 0;
  std::vector<std::thread> clients;
  constexpr int kClients = 8, kRounds = 10;
  for (int i = 0; i < kClients; ++i) {
    clients.emplace_back([&, i] {
      httplib::Client client = service.Client();
      for (int round = 0; round < kRounds; ++round) {
        auto login = client.Get("/userinfo/?type=trevalo&user=demo&password=demo123");
        auto list = client.Get("/serverlistpc/");
        auto ipInfo = client.Get("/ipinfohtml/");
        // Every client takes its own free line, over and over.
        auto reserve = client.Get(i % 2 == 0 ? "/setstaticip/?user=demo&ip=198.51.100.2"
                                             : "/setstaticip/?user=demo2&ip=203.0.113.1");
        if (login && CodeOf(login->body) == "100" && list && list->body.starts_with(expectedListStart) &&
            static_cast<std::size_t>(std::count(list->body.begin(), list->body.end(), '{')) == dynamicCount + 1 &&
            ipInfo && ipInfo->body == "<ip>127.0.0.1</ip><pos>中国-广东-深圳</pos>" && reserve &&
            CodeOf(reserve->body) == "100")
          ++good;
      }
    });
  }
  for (std::thread& client : clients) client.join();
  EXPECT_EQ(good, kClients * kRounds);
}

TEST(HttpService, OneOfManyRacingAccountsGetsALine) {
  LineStore store(":memory:");
  constexpr int kAccounts = 8;
  StoreContent content;
  for (int i = 0; i < kAccounts; ++i)
    content.accounts.push_back({"user" + std::to_string(i), "p", "2999-01-01 00:00:00"});
  content.staticLines = {{"上海", "上海", "127.2.0.1", "电信", 0, "203.0.113.1"}};
  store.Fill(content);
  RunningService service(store);
  ASSERT_GT(service.port(), 0);

  std::atomic<int> granted = 0, refused = 0;
  std::vector<std::thread> accounts;
  for (int i = 0; i < kAccounts; ++i) {
    accounts.emplace_back([&, i] {
      auto answer = service.Client().Get("/setstaticip/?user=user" + std::to_string(i) + "&ip=203.0.113.1");
      if (answer && CodeOf(answer->body) == "100") ++granted;
      if (answer && CodeOf(answer->body) == "106") ++refused;
    });
  }
  for (std::thread& account : accounts) account.join();
  EXPECT_EQ(granted, 1);
  EXPECT_EQ(refused, kAccounts - 1);
  EXPECT_TRUE(store.ReservationHolder("203.0.113.1").has_value());
}

}  // namespace
