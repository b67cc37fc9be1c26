#include "server/line_store.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace {

using namespace line_service;

constexpr const char* kNow = "2025-06-01 12:00:00";

LineRecord Dynamic(const char* province, const char* city, const char* domain, int status = 0) {
  return {province, city, domain, "电信", status, ""};
}

LineRecord Static(const char* province, const char* domain, const char* ip, int status = 0) {
  return {province, "城市", domain, "联通", status, ip};
}

std::vector<std::string> Domains(const std::vector<LineRecord>& lines) {
  std::vector<std::string> domains;
  for (const LineRecord& line : lines) domains.push_back(line.domain);
  return domains;
}

TEST(LineStore, KeepsWhatItIsFilledWithAcrossReopening) {
  TempFolder folder;
  const std::string path = folder.File("lines.db");
  // Quotes and SQL in the values reach the store as values.
  const LineRecord odd{"省'); DROP TABLE lines; --", "城\"市", "127.1.0.9", "isp'", 7, ""};
  const LineRecord exit = Static("上海", "127.2.0.1", "203.0.113.1", -1);
  {
    LineStore store(path);
    EXPECT_TRUE(store.IsEmpty());
    store.Fill({{{"o'neil", "pa'ss", "2030-01-01 00:00:00"}}, {odd}, {exit}, {{"o'neil", "203.0.113.1"}}});
    EXPECT_FALSE(store.IsEmpty());
  }
  LineStore reopened(path);
  EXPECT_FALSE(reopened.IsEmpty());
  ASSERT_EQ(reopened.ListLines(LineKind::kDynamic).size(), 1u);
  EXPECT_EQ(reopened.ListLines(LineKind::kDynamic)[0], odd);
  ASSERT_EQ(reopened.ListLines(LineKind::kStatic).size(), 1u);
  EXPECT_EQ(reopened.ListLines(LineKind::kStatic)[0], exit);
  const auto account = reopened.FindAccount("o'neil");
  ASSERT_TRUE(account.has_value());
  EXPECT_EQ(account->password, "pa'ss");
  EXPECT_EQ(account->expiryTime, "2030-01-01 00:00:00");
  EXPECT_EQ(reopened.ReservationHolder("203.0.113.1"), "o'neil");
}

TEST(LineStore, FindsAccountsByTheirExactName) {
  LineStore store(":memory:");
  store.Fill({{{"alice", "secret", "2030-01-01 00:00:00"}}, {}, {}, {}});
  EXPECT_TRUE(store.FindAccount("alice").has_value());
  EXPECT_FALSE(store.FindAccount("Alice").has_value());
  EXPECT_FALSE(store.FindAccount("alice ").has_value());
  EXPECT_FALSE(store.FindAccount("%").has_value());
}

TEST(LineStore, ListsEachKindProvinceByProvince) {
  LineStore store(":memory:");
  store.Fill({{},
              {Dynamic("广东", "深圳", "d1"), Dynamic("北京", "北京", "d2", -1), Dynamic("广东", "广州", "d3", 2)},
              {Static("上海", "s1", "203.0.113.1")},
              {}});
  // A line added later to a province joins that province's lines.
  store.Fill({{}, {Dynamic("天津", "天津", "d4"), Dynamic("北京", "北京", "d5")}, {}, {}});
  EXPECT_EQ(Domains(store.ListLines(LineKind::kDynamic)), (std::vector<std::string>{"d1", "d3", "d2", "d5", "d4"}));
  EXPECT_EQ(Domains(store.ListLines(LineKind::kStatic)), (std::vector<std::string>{"s1"}));
  EXPECT_EQ(store.ListLines(LineKind::kDynamic)[2].status, -1);
}

TEST(LineStore, FillsAllOrNothing) {
  LineStore store(":memory:");
  const StoreContent clash{{{"a", "p", "2030-01-01 00:00:00"}},
                           {Dynamic("广东", "深圳", "d1")},
                           {Static("上海", "s1", "203.0.113.1"), Static("上海", "s2", "203.0.113.1")},
                           {}};
  EXPECT_THROW(store.Fill(clash), StoreError);
  const StoreContent unknownHolder{{{"a", "p", "2030-01-01 00:00:00"}}, {}, {}, {{"a", "203.0.113.9"}}};
  EXPECT_THROW(store.Fill(unknownHolder), StoreError);
  EXPECT_TRUE(store.IsEmpty());
}

class Reservations : public testing::Test {
 protected:
  void SetUp() override {
    store.Fill({{{"alice", "a", "2030-01-01 00:00:00"},
                 {"bob", "b", "2030-01-01 00:00:00"},
                 {"lapsed", "c", "2025-06-01 12:00:00"}},
                {Dynamic("广东", "深圳", "127.1.0.1")},
                {Static("上海", "127.2.0.1", "203.0.113.1"), Static("上海", "127.2.0.2", "198.51.100.7"),
                 Static("浙江", "127.2.0.3", "203.0.113.3", 5), Static("浙江", "127.2.0.4", "203.0.113.4", -1),
                 Static("浙江", "127.2.0.5", "203.0.113.5")},
                {{"lapsed", "203.0.113.5"}}});
  }

  ReservationResult Reserve(const char* account, const char* ip) { return store.ReserveStaticLine(account, ip, kNow); }

  LineStore store{":memory:"};
};

TEST_F(Reservations, RefusesALineAnotherAccountHolds) {
  EXPECT_EQ(Reserve("alice", "203.0.113.1"), ReservationResult::kReserved);
  EXPECT_EQ(Reserve("bob", "203.0.113.1"), ReservationResult::kHeldByOther);
  EXPECT_EQ(store.ReservationHolder("203.0.113.1"), "alice");
  // Picking the held line again is no conflict.
  EXPECT_EQ(Reserve("alice", "203.0.113.1"), ReservationResult::kReserved);
  EXPECT_EQ(Reserve("bob", "198.51.100.7"), ReservationResult::kReserved);
  EXPECT_EQ(Reserve("alice", "198.51.100.7"), ReservationResult::kHeldByOther);
}

TEST_F(Reservations, AnAccountHoldsOneLineAtATime) {
  EXPECT_EQ(Reserve("alice", "203.0.113.1"), ReservationResult::kReserved);
  EXPECT_EQ(Reserve("alice", "198.51.100.7"), ReservationResult::kReserved);
  EXPECT_EQ(store.ReservationHolder("198.51.100.7"), "alice");
  EXPECT_EQ(store.ReservationHolder("203.0.113.1"), std::nullopt);
  EXPECT_EQ(Reserve("bob", "203.0.113.1"), ReservationResult::kReserved);
}

TEST_F(Reservations, ALapsedAccountsLinePassesOver) {
  EXPECT_EQ(store.ReservationHolder("203.0.113.5"), "lapsed");
  EXPECT_EQ(Reserve("alice", "203.0.113.5"), ReservationResult::kReserved);
  EXPECT_EQ(store.ReservationHolder("203.0.113.5"), "alice");
}

TEST_F(Reservations, RefusalsChangeNothing) {
  ASSERT_EQ(Reserve("alice", "203.0.113.1"), ReservationResult::kReserved);
  struct {
    const char* account;
    const char* ip;
    ReservationResult result;
  } cases[] = {
      {"carol", "198.51.100.7", ReservationResult::kUnknownAccount},
      {"lapsed", "198.51.100.7", ReservationResult::kExpiredAccount},  // expiry equal to now
      {"alice", "203.0.113.99", ReservationResult::kUnknownLine},
      {"alice", "127.1.0.1", ReservationResult::kUnknownLine},  // a dynamic line has no exit address
      {"alice", "127.2.0.2", ReservationResult::kUnknownLine},  // a host is no exit address
      {"alice", "203.0.113.3", ReservationResult::kLineUnavailable},
      {"alice", "203.0.113.4", ReservationResult::kLineUnavailable},
      {"bob", "203.0.113.1", ReservationResult::kHeldByOther},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Reserve(c.account, c.ip), c.result) << c.account << " " << c.ip;
    EXPECT_EQ(store.ReservationHolder("203.0.113.1"), "alice") << c.account << " " << c.ip;
    EXPECT_EQ(store.ReservationHolder("198.51.100.7"), std::nullopt) << c.account << " " << c.ip;
  }
}

TEST(LineStore, FindsALineByExitAddressBeforeHost) {
  LineStore store(":memory:");
  // One line's host is another line's exit address.
  store.Fill({{},
              {Dynamic("广东", "深圳", "127.1.0.1"), Dynamic("北京", "北京", "203.0.113.1")},
              {Static("上海", "127.2.0.1", "203.0.113.1")},
              {}});
  EXPECT_EQ(store.FindLineByAddress("203.0.113.1")->province, "上海");
  EXPECT_EQ(store.FindLineByAddress("127.1.0.1")->city, "深圳");
  EXPECT_EQ(store.FindLineByAddress("127.2.0.1")->province, "上海");
  EXPECT_FALSE(store.FindLineByAddress("127.0.0.1").has_value());
  EXPECT_FALSE(store.FindLineByAddress("").has_value());
}

}  // namespace
