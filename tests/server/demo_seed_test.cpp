#include "server/demo_seed.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <set>

#include "server/service_time.h"

namespace {

using namespace line_service;

constexpr std::time_t kNow = 1767225600;  // 2026-01-01 00:00:00 UTC

bool IsDottedLoopback(const std::string& host) {
  in_addr address{};
  return inet_pton(AF_INET, host.c_str(), &address) == 1 && (ntohl(address.s_addr) >> 24) == 127;
}

bool IsDocumentationAddress(const std::string& ip) {
  in_addr address{};
  if (inet_pton(AF_INET, ip.c_str(), &address) != 1) return false;
  const std::uint32_t network = ntohl(address.s_addr) & 0xFFFFFF00;
  return network == 0xCB007100 || network == 0xC6336400;  // 203.0.113.0/24, 198.51.100.0/24
}

TEST(DemoContent, CoversEveryProvinceWithLoopbackLines) {
  const std::set<std::string> expected = {"北京",   "天津", "上海", "重庆", "河北", "山西", "辽宁", "吉林", "黑龙江",
                                          "江苏",   "浙江", "安徽", "福建", "江西", "山东", "河南", "湖北", "湖南",
                                          "广东",   "海南", "四川", "贵州", "云南", "陕西", "甘肃", "青海", "台湾",
                                          "内蒙古", "广西", "西藏", "宁夏", "新疆", "香港", "澳门"};
  const StoreContent content = DemoContent(kNow);
  for (const auto* lines : {&content.dynamicLines, &content.staticLines}) {
    std::set<std::string> provinces, hosts;
    int normal = 0, abandoned = 0, faulty = 0;
    for (const LineRecord& line : *lines) {
      provinces.insert(line.province);
      EXPECT_FALSE(line.city.empty());
      EXPECT_FALSE(line.isp.empty());
      EXPECT_TRUE(IsDottedLoopback(line.domain)) << line.domain;
      EXPECT_TRUE(hosts.insert(line.domain).second) << line.domain;
      if (line.status == 0)
        ++normal;
      else if (line.status == -1)
        ++abandoned;
      else
        ++faulty;
    }
    EXPECT_EQ(provinces, expected);
    EXPECT_GT(normal * 5, static_cast<int>(lines->size()) * 4);  // mostly in order
    EXPECT_GE(abandoned, 2);
    EXPECT_GE(faulty, 2);
  }
  EXPECT_GE(content.dynamicLines.size() + content.staticLines.size(), 300u);
  std::set<std::string> exits;
  for (const LineRecord& line : content.staticLines) {
    EXPECT_TRUE(IsDocumentationAddress(line.ip)) << line.ip;
    EXPECT_TRUE(exits.insert(line.ip).second) << line.ip;
  }
  for (const LineRecord& line : content.dynamicLines) EXPECT_EQ(line.ip, "");
}

TEST(DemoContent, FillsAStoreWithUsableAccounts) {
  LineStore store(":memory:");
  store.Fill(DemoContent(kNow));
  const std::string now = FormatLocalTime(kNow);

  const auto demo = store.FindAccount(kDemoAccount);
  ASSERT_TRUE(demo.has_value());
  EXPECT_EQ(demo->password, kDemoPassword);
  EXPECT_EQ(demo->expiryTime, FormatLocalTime(kNow + 365 * 24 * 60 * 60));
  EXPECT_GT(store.FindAccount(kSecondDemoAccount)->expiryTime, now);
  EXPECT_LT(store.FindAccount(kExpiredDemoAccount)->expiryTime, now);

  // The second account's line is refused to the demo account; a free line is granted.
  const std::vector<LineRecord> lines = store.ListLines(LineKind::kStatic);
  EXPECT_EQ(store.ReservationHolder(lines.front().ip), kSecondDemoAccount);
  EXPECT_EQ(store.ReserveStaticLine(kDemoAccount, lines.front().ip, now), ReservationResult::kHeldByOther);
  EXPECT_EQ(store.ReserveStaticLine(kDemoAccount, lines[1].ip, now), ReservationResult::kReserved);
}

}  // namespace
