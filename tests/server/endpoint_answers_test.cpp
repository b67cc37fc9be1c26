#include "server/endpoint_answers.h"

#include <gtest/gtest.h>

namespace {

using namespace line_service;

constexpr const char* kNow = "2025-06-01 12:00:00";

// The text between the first start marker and the next end marker, as the client cuts its values.
std::string Between(const std::string& text, const std::string& start, const std::string& end) {
  const std::size_t from = text.find(start);
  if (from == std::string::npos) return {};
  const std::size_t to = text.find(end, from + start.size());
  if (to == std::string::npos) return {};
  return text.substr(from + start.size(), to - from - start.size());
}

class EndpointAnswers : public testing::Test {
 protected:
  void SetUp() override {
    store.Fill({{{"alice", "secret", "2030-01-01 00:00:00"},
                 {"bob", "hunter2", "2030-01-01 00:00:00"},
                 {"a&b", "p&q+r", "2030-01-01 00:00:00"},
                 {"old", "pw", kNow}},
                {{"广东", "深圳", "127.1.0.1", "电信", 0, ""},
                 {"北京", "北京", "127.1.0.2", "联通", -1, ""},
                 {"广东", "广州", "127.1.0.3", "移动", 2, ""}},
                {{"上海", "上海", "127.2.0.1", "电信", 0, "203.0.113.1"},
                 {"浙江", "杭州", "127.2.0.3", "移动", 5, "203.0.113.3"},
                 {"上海", "上海", "127.2.0.2", "联通", 0, "198.51.100.7"},
                 {"浙江", "杭州", "127.2.0.4", "移动", -1, "203.0.113.4"}},
                {}});
  }

  LineStore store{":memory:"};
};

const std::string kBadParameters = R"({"status": "error", "msg": "\u53c2\u6570\u9519\u8bef", "code": 103})";

TEST_F(EndpointAnswers, LoginGivesTheExpiryTimeBetweenTheClientsMarkers) {
  const Answer answer = AnswerUserInfo(store, "type=trevalo&user=alice&password=secret", kNow);
  EXPECT_EQ(answer.status, 200);
  EXPECT_EQ(answer.contentType, "application/json");
  EXPECT_EQ(answer.body, R"({"status": "success", "msg": "\u767b\u5f55\u6210\u529f", "code": 100, )"
                         R"("data": {"expiretime": "2030-01-01 00:00:00"}})");
  EXPECT_EQ(Between(answer.body, "code\": ", ", \"data"), "100");
  EXPECT_EQ(Between(answer.body, "expiretime\": \"", "\"}"), "2030-01-01 00:00:00");
  // Typed with "&" and "+", sent unencoded.
  EXPECT_EQ(Between(AnswerUserInfo(store, "type=trevalo&user=a&b&password=p&q+r", kNow).body, "code\": ", ", \"data"),
            "100");
}

TEST_F(EndpointAnswers, LoginRefusalsCarryTheirMessage) {
  const std::string badCredentials =
      R"({"status": "error", "msg": "\u8d26\u53f7\u6216\u5bc6\u7801\u9519\u8bef", "code": 101})";
  const std::string expired =
      R"({"status": "error", "msg": "\u8d26\u53f7\u5df2\u8fc7\u671f\uff0c\u8bf7\u7eed\u8d39\u540e\u518d\u767b\u5f55", )"
      R"("code": 102})";
  struct {
    const char* query;
    const std::string& body;
  } cases[] = {
      {"type=trevalo&user=alice&password=Secret", badCredentials},
      {"type=trevalo&user=nobody&password=secret", badCredentials},
      {"type=trevalo&user=alice&password=hunter2", badCredentials},  // bob's password
      {"type=trevalo&user=old&password=pw", expired},                // expiring this very second
      {"type=trevalo&user=alice", kBadParameters},
      {"type=trevalo&user=&password=secret", kBadParameters},
      {"type=trevalo&user=alice&password=", kBadParameters},
      {"user=alice&password=secret", kBadParameters},
      {"type=other&user=alice&password=secret", kBadParameters},
      {"", kBadParameters},
  };
  for (const auto& c : cases) {
    const Answer answer = AnswerUserInfo(store, c.query, kNow);
    EXPECT_EQ(answer.status, 200) << c.query;
    EXPECT_EQ(answer.body, c.body) << c.query;
    EXPECT_NE(Between(answer.body, "{\"status\": \"error\", \"msg\": \"", "\", \"code\""), "") << c.query;
    EXPECT_NE(Between(answer.body, "code\": ", ", \"data"), "100") << c.query;
  }
}

TEST_F(EndpointAnswers, DynamicListGroupsLinesByProvince) {
  const Answer answer = AnswerServerList(store);
  EXPECT_EQ(answer.status, 200);
  EXPECT_EQ(answer.contentType, "application/json");
  EXPECT_EQ(answer.body,
            R"({"status": "success", "code": 200, "data": [)"
            R"({"province": "\u5e7f\u4e1c", "city": "\u6df1\u5733", "domain": "127.1.0.1", "isp": "\u7535\u4fe1", )"
            R"("status": 0}, )"
            R"({"province": "\u5e7f\u4e1c", "city": "\u5e7f\u5dde", "domain": "127.1.0.3", "isp": "\u79fb\u52a8", )"
            R"("status": 2}, )"
            R"({"province": "\u5317\u4eac", "city": "\u5317\u4eac", "domain": "127.1.0.2", "isp": "\u8054\u901a", )"
            R"("status": -1}]})");
}

TEST_F(EndpointAnswers, StaticListCarriesExitAddresses) {
  const Answer answer = AnswerStaticIpList(store);
  EXPECT_EQ(answer.status, 200);
  EXPECT_EQ(answer.body,
            R"({"status": "success", "code": 100, "data": [)"
            R"({"province": "\u4e0a\u6d77", "city": "\u4e0a\u6d77", "domain": "127.2.0.1", "isp": "\u7535\u4fe1", )"
            R"("status": 0, "ip": "203.0.113.1"}, )"
            R"({"province": "\u4e0a\u6d77", "city": "\u4e0a\u6d77", "domain": "127.2.0.2", "isp": "\u8054\u901a", )"
            R"("status": 0, "ip": "198.51.100.7"}, )"
            R"({"province": "\u6d59\u6c5f", "city": "\u676d\u5dde", "domain": "127.2.0.3", "isp": "\u79fb\u52a8", )"
            R"("status": 5, "ip": "203.0.113.3"}, )"
            R"({"province": "\u6d59\u6c5f", "city": "\u676d\u5dde", "domain": "127.2.0.4", "isp": "\u79fb\u52a8", )"
            R"("status": -1, "ip": "203.0.113.4"}]})");
}

TEST(EndpointAnswersEmpty, ListsOfAnEmptyStoreHaveNoLines) {
  LineStore store(":memory:");
  EXPECT_EQ(AnswerServerList(store).body, R"({"status": "success", "code": 200, "data": []})");
  EXPECT_EQ(AnswerStaticIpList(store).body, R"({"status": "success", "code": 100, "data": []})");
}

TEST_F(EndpointAnswers, ReservationIsGrantedWithCode100) {
  const Answer answer = AnswerSetStaticIp(store, "user=alice&ip=203.0.113.1", kNow);
  EXPECT_EQ(answer.status, 200);
  EXPECT_EQ(answer.body, R"({"status": "success", "msg": "\u8bbe\u7f6e\u9759\u6001IP\u6210\u529f", "code": 100})");
  EXPECT_EQ(store.ReservationHolder("203.0.113.1"), "alice");
}

// The client takes any answer holding "100" as granted: no refusal may hold it, not even for an
// exit address that does.
TEST_F(EndpointAnswers, ReservationRefusalsNeverHold100) {
  ASSERT_EQ(store.ReserveStaticLine("bob", "198.51.100.7", kNow), ReservationResult::kReserved);
  struct {
    const char* query;
    std::string body;
  } cases[] = {
      {"user=alice&ip=198.51.100.7",
       R"({"status": "error", "msg": "\u8be5\u7ebf\u8def\u5df2\u88ab\u5176\u4ed6\u8d26\u53f7\u5360\u7528", "code": 106})"},
      {"user=carol&ip=198.51.100.7", R"({"status": "error", "msg": "\u8d26\u53f7\u4e0d\u5b58\u5728", "code": 101})"},
      {"user=old&ip=203.0.113.1", R"({"status": "error", "msg": "\u8d26\u53f7\u5df2\u8fc7\u671f", "code": 102})"},
      {"user=alice&ip=198.51.100.100",
       R"({"status": "error", "msg": "\u8be5\u7ebf\u8def\u4e0d\u5b58\u5728", "code": 104})"},
      {"user=alice&ip=203.0.113.3",
       R"({"status": "error", "msg": "\u8be5\u7ebf\u8def\u6682\u65f6\u4e0d\u53ef\u7528", "code": 105})"},
      {"user=alice&ip=203.0.113.4",
       R"({"status": "error", "msg": "\u8be5\u7ebf\u8def\u6682\u65f6\u4e0d\u53ef\u7528", "code": 105})"},
      {"user=alice", kBadParameters},
      {"ip=203.0.113.1", kBadParameters},
      {"user=alice&ip=", kBadParameters},
  };
  for (const auto& c : cases) {
    const Answer answer = AnswerSetStaticIp(store, c.query, kNow);
    EXPECT_EQ(answer.body, c.body) << c.query;
    EXPECT_EQ(answer.body.find("100"), std::string::npos) << c.query;
  }
  EXPECT_EQ(store.ReservationHolder("198.51.100.7"), "bob");
  EXPECT_EQ(store.ReservationHolder("203.0.113.1"), std::nullopt);
}

TEST_F(EndpointAnswers, ReservationsOfTwoAccounts) {
  auto granted = [&](const char* query) {
    return AnswerSetStaticIp(store, query, kNow).body.find("100") != std::string::npos;
  };
  EXPECT_TRUE(granted("user=alice&ip=203.0.113.1"));
  EXPECT_FALSE(granted("user=bob&ip=203.0.113.1"));
  EXPECT_TRUE(granted("user=bob&ip=198.51.100.7"));
  EXPECT_FALSE(granted("user=alice&ip=198.51.100.7"));
  EXPECT_TRUE(granted("user=alice&ip=203.0.113.1"));
  // A name with "&" arrives whole: a third account, refused for the conflict, not as unknown.
  EXPECT_NE(AnswerSetStaticIp(store, "user=a&b&ip=203.0.113.1", kNow).body.find("\"code\": 106"), std::string::npos);
  EXPECT_EQ(store.ReservationHolder("203.0.113.1"), "alice");
  EXPECT_EQ(store.ReservationHolder("198.51.100.7"), "bob");
}

TEST_F(EndpointAnswers, IpInfoLocatesTheCaller) {
  const Answer answer = AnswerIpInfo(store, "127.0.0.1");
  EXPECT_EQ(answer.status, 200);
  EXPECT_EQ(answer.contentType, "text/html; charset=utf-8");
  EXPECT_EQ(answer.body, "<ip>127.0.0.1</ip><pos>中国-广东-深圳</pos>");
  struct {
    const char* peer;
    const char* body;
  } cases[] = {
      {"::1", "<ip>::1</ip><pos>中国-广东-深圳</pos>"},
      {"::ffff:127.0.0.1", "<ip>127.0.0.1</ip><pos>中国-广东-深圳</pos>"},
      {"203.0.113.3", "<ip>203.0.113.3</ip><pos>中国-浙江-杭州</pos>"},  // a static line's exit
      {"127.1.0.3", "<ip>127.1.0.3</ip><pos>中国-广东-广州</pos>"},      // a line's host
      {"::ffff:198.51.100.7", "<ip>198.51.100.7</ip><pos>中国-上海-上海</pos>"},
      {"192.0.2.9", "<ip>192.0.2.9</ip><pos>未知</pos>"},
  };
  for (const auto& c : cases) EXPECT_EQ(AnswerIpInfo(store, c.peer).body, c.body) << c.peer;
}

}  // namespace
