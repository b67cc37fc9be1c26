#include "lines/line_list.h"

#include <gtest/gtest.h>

namespace {

std::string Element(const std::string& province, const std::string& domain, int status = 0,
                    const std::string& city = "c", const std::string& ip = "") {
  return R"({"province": ")" + province + R"(", "city": ")" + city + R"(", "domain": ")" + domain +
         R"(", "isp": "isp", "status": )" + std::to_string(status) + (ip.empty() ? "" : R"(, "ip": ")" + ip + "\"") +
         "}";
}

std::string List(const std::vector<std::string>& elements, int code = 200) {
  std::string data;
  for (const std::string& element : elements) data += (data.empty() ? "" : ", ") + element;
  return R"({"code": )" + std::to_string(code) + R"(, "data": [)" + data + "]}";
}

std::vector<std::string> Domains(const ProvinceGroup& group) {
  std::vector<std::string> domains;
  for (const LineRecord& line : group.lines) domains.push_back(line.domain + ":" + std::to_string(line.status));
  return domains;
}

void Merge(LineCatalogue& catalogue, const std::string& body, std::uint32_t stamp) {
  MergeLineList(catalogue, ParseLineList(body, kDynamicLineMode).groups, stamp);
}

TEST(ParseLineList, GroupsByProvinceInFirstAppearanceAndSkipsAbandonedLines) {
  ParsedLineList parsed = ParseLineList(
      List({Element("广东", "a.test"), Element("北京", "b.test"), Element("广东", "C.Test"),
            Element("上海", "gone.test", -1), Element("北京", "d.test", 5)}),
      kDynamicLineMode);
  EXPECT_EQ(parsed.count, 4);
  ASSERT_EQ(parsed.groups.size(), 2u);
  EXPECT_EQ(parsed.groups[0].name, "广东");
  EXPECT_EQ(Domains(parsed.groups[0]), (std::vector<std::string>{"a.test:0", "c.test:0"}));
  EXPECT_EQ(Domains(parsed.groups[1]), (std::vector<std::string>{"b.test:0", "d.test:5"}));
}

TEST(ParseLineList, ReadsTheStaticAddressInStaticModeOnly) {
  std::string body = List({Element("广东", "a.test", 0, "深圳", "203.0.113.7")});
  EXPECT_EQ(ParseLineList(body, kStaticLineMode).groups[0].lines[0].ip, "203.0.113.7");
  EXPECT_EQ(ParseLineList(body, kDynamicLineMode).groups[0].lines[0].ip, "");
}

TEST(ParseLineList, NothingForBadBodies) {
  for (const std::string& body : {std::string(""), std::string("not json"), std::string(R"({"code": 200})"),
                                  std::string(R"({"code": 200, "data": []})"),
                                  std::string(R"({"code": 200, "data": "lines"})")}) {
    ParsedLineList parsed = ParseLineList(body, kDynamicLineMode);
    EXPECT_EQ(parsed.count, 0) << body;
    EXPECT_TRUE(parsed.groups.empty()) << body;
  }
}

TEST(ParseLineList, AnObjectAsDataIsReadByItsMemberCountAsAbsentElements) {
  ParsedLineList parsed = ParseLineList(R"({"code": 200, "data": {"province": "x", "city": "y"}})", kDynamicLineMode);
  EXPECT_EQ(parsed.count, 2);
  ASSERT_EQ(parsed.groups.size(), 1u);
  EXPECT_EQ(parsed.groups[0].name, "");
  EXPECT_EQ(Domains(parsed.groups[0]), (std::vector<std::string>{":0", ":0"}));
}

TEST(ParseLineList, OneLinePerProvinceCountsEveryLine) {
  std::vector<std::string> elements;
  for (int i = 0; i < 34; ++i) elements.push_back(Element("p" + std::to_string(i), "d.test"));
  ParsedLineList parsed = ParseLineList(List(elements), kDynamicLineMode);
  EXPECT_EQ(parsed.count, 34);
  EXPECT_EQ(parsed.groups.size(), 34u);
}

TEST(MergeLineList, FirstDownloadAbandonsThePlaceholderAndAppendsProvincesInOrder) {
  LineCatalogue catalogue;
  Merge(catalogue, List({Element("广东", "a.test"), Element("北京", "b.test")}), 10);
  ASSERT_EQ(catalogue.groups.size(), 3u);
  EXPECT_EQ(catalogue.groups[0].name, "");
  EXPECT_EQ(Domains(catalogue.groups[0]), std::vector<std::string>{":-1"});
  EXPECT_EQ(catalogue.groups[1].name, "广东");
  EXPECT_EQ(catalogue.groups[2].name, "北京");
  EXPECT_EQ(catalogue.groups[1].lines[0].seenStamp, 0u);  // new provinces arrive unstamped
}

TEST(MergeLineList, NewLinesOfAKnownProvinceArriveInReverseOrder) {
  LineCatalogue catalogue;
  Merge(catalogue, List({Element("广东", "a.test")}), 10);
  Merge(catalogue, List({Element("广东", "a.test"), Element("广东", "b.test"), Element("广东", "c.test")}), 20);
  EXPECT_EQ(Domains(catalogue.groups[1]), (std::vector<std::string>{"a.test:0", "c.test:0", "b.test:0"}));
  EXPECT_EQ(catalogue.groups[1].lines[1].seenStamp, 20u);
}

TEST(MergeLineList, KnownLinesAreRefreshedInPlaceAndVanishedOnesAbandoned) {
  LineCatalogue catalogue;
  Merge(catalogue, List({Element("广东", "a.test", 0, "广州", "1.1.1.1"), Element("广东", "b.test"),
                         Element("北京", "c.test")}),
        10);
  MergeLineList(catalogue,
                ParseLineList(List({Element("广东", "A.TEST", 7, "深圳", "2.2.2.2")}), kStaticLineMode).groups, 20);
  const LineRecord& a = catalogue.groups[1].lines[0];
  EXPECT_EQ(a.city, "深圳");
  EXPECT_EQ(a.status, 7);
  EXPECT_EQ(a.ip, "");  // the address a line was taken in with stays
  EXPECT_EQ(Domains(catalogue.groups[1]), (std::vector<std::string>{"a.test:7", "b.test:-1"}));
  // A province missing from the download keeps its group, every line abandoned.
  EXPECT_EQ(catalogue.groups[2].name, "北京");
  EXPECT_EQ(Domains(catalogue.groups[2]), std::vector<std::string>{"c.test:-1"});

  // An abandoned line that comes back takes the status the service sends.
  Merge(catalogue, List({Element("北京", "c.test", 0)}), 30);
  EXPECT_EQ(Domains(catalogue.groups[2]), std::vector<std::string>{"c.test:0"});
}

TEST(MergeLineList, ProvincesDifferingInCaseAreTwoGroups) {
  LineCatalogue catalogue;
  Merge(catalogue, List({Element("Guangdong", "a.test"), Element("guangdong", "a.test")}), 10);
  ASSERT_EQ(catalogue.groups.size(), 3u);
  EXPECT_EQ(catalogue.groups[1].name, "Guangdong");
  EXPECT_EQ(catalogue.groups[2].name, "guangdong");
}

TEST(MergeLineList, AnAbandonedElementMarksTheKnownLine) {
  LineCatalogue catalogue;
  Merge(catalogue, List({Element("广东", "a.test"), Element("广东", "b.test")}), 10);
  Merge(catalogue, List({Element("广东", "a.test"), Element("广东", "b.test", -1)}), 20);
  EXPECT_EQ(Domains(catalogue.groups[1]), (std::vector<std::string>{"a.test:0", "b.test:-1"}));
}

TEST(MergeLineList, TwoMergesWithinOneMillisecondStillAbandonWhatTheSecondLacks) {
  LineCatalogue catalogue;
  Merge(catalogue, List({Element("广东", "a.test"), Element("广东", "b.test")}), 10);
  Merge(catalogue, List({Element("广东", "a.test"), Element("广东", "b.test")}), 20);
  Merge(catalogue, List({Element("广东", "a.test")}), 20);
  EXPECT_EQ(Domains(catalogue.groups[1]), (std::vector<std::string>{"a.test:0", "b.test:-1"}));
}

TEST(MergeLineList, RepeatedDomainInOneDownloadRefreshesTheLineJustAppended) {
  LineCatalogue catalogue;
  Merge(catalogue, List({Element("广东", "a.test")}), 10);
  Merge(catalogue, List({Element("广东", "x.test", 1, "first"), Element("广东", "x.test", 2, "second")}), 20);
  ASSERT_EQ(catalogue.groups[1].lines.size(), 2u);
  // Taken from the last element backwards: the second is appended, the first then refreshes it.
  EXPECT_EQ(catalogue.groups[1].lines[1].city, "first");
  EXPECT_EQ(catalogue.groups[1].lines[1].status, 1);
}

}  // namespace
