#include "lines/line_list.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "service/json_document.h"

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

auto Fields(const LineRecord& line) {
  return std::tie(line.province, line.city, line.domain, line.isp, line.status, line.seenStamp, line.ip);
}

// Lists with what a service might send by mistake: members absent, of other kinds or repeated,
// characters code page 936 lacks, statuses as texts and fractions, elements that are no objects,
// provinces that come back later, and "data" as an object keyed by digits with a gap. The first
// and last are ASCII, read where they lie; the second is converted to UTF-8 before it is read.
const std::string kVariedLists[] = {
    R"({"code":200,"data":[
        {"province":"\u5e7f\u4e1c","city":"\u6df1\u5733","domain":"A.Test","isp":"\u7535\u4fe1","status":0,
         "ip":"1.2.3.4"},
        {"province":"\u5e7f\u4e1c","domain":"b.test","status":"5"},
        {"province":"\u0e01\u20ac","city":"x\u0e01","domain":"C.test","isp":"\u4e2d","status":1.9},
        {"province":"\u5e7f\u4e1c","domain":"gone.test","status":-1},
        {"province":"\u5e7f\u4e1c","domain":"gone2.test","status":"-1"},
        {"province":"\u5317\u4eac","domain":"first.test","domain":"Second.TEST","status":-1,"status":-0.5,
         "city":null,"isp":true},
        {"province":7,"city":[1,"a"],"domain":{"x":1},"isp":false,"status":true,"ip":5},
        {"province":"\u5e7f\u4e1c","status":1e10,"ip":"\u4e2d"},
        "text", 5, null, [1,2], {},
        {"Province":"p","DOMAIN":"d.test","status":3}
    ]})",
    R"({"code":200,"data":[{"province":"广东","domain":"Raw.Test","city":"深圳\u20ac"},{"province":"北京","status":"x"},
        {"province":"\ud83d\ude00","city":"\ud800x","domain":"E.test","isp":"\udc00","status":1.9}]})",
    R"({"code":200,"data":{"1":{"province":"b","domain":"one"},"0":{"province":"a","domain":"zero"},
        "3":{"domain":"gap"}}})",
};

std::vector<LineRecord> RecordsByPrefix(const JsonDocument& document, std::string_view mode) {
  std::vector<LineRecord> records;
  for (int i = 0; i < document.GetCount("data"); ++i)
    records.push_back(ReadLineRecord(document, "data[" + std::to_string(i) + "].", mode));
  return records;
}

TEST(ReadLineRecord, AnElementReadsAsItsPrefix) {
  for (const std::string& body : kVariedLists) {
    JsonDocument document;
    ASSERT_TRUE(document.Parse(body)) << body;
    for (const char* mode : {kDynamicLineMode, kStaticLineMode}) {
      std::vector<LineRecord> byElement;
      document.ForEachElement(
          "data", [&](const JsonDocument::Element& element) { byElement.push_back(ReadLineRecord(element, mode)); });
      std::vector<LineRecord> byPrefix = RecordsByPrefix(document, mode);
      ASSERT_EQ(byElement.size(), byPrefix.size()) << body;
      for (std::size_t i = 0; i < byPrefix.size(); ++i) EXPECT_EQ(Fields(byElement[i]), Fields(byPrefix[i])) << i;
    }
  }

  // The cases above read as intended, not merely alike.
  JsonDocument document;
  ASSERT_TRUE(document.Parse(kVariedLists[0]));
  std::vector<LineRecord> lines = RecordsByPrefix(document, kStaticLineMode);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(Fields(lines[0]), Fields(LineRecord{"广东", "深圳", "a.test", "电信", 0, 0, "1.2.3.4"}));
  EXPECT_EQ(Fields(lines[1]), Fields(LineRecord{"广东", "", "b.test", "", 5, 0, ""}));
  EXPECT_EQ(Fields(lines[2]), Fields(LineRecord{"?\x80", "x?", "c.test", "中", 1, 0, ""}));
  EXPECT_EQ(lines[4].status, -1);
  EXPECT_EQ(Fields(lines[5]), Fields(LineRecord{"北京", "", "second.test", "true", 0, 0, ""}));
  EXPECT_EQ(Fields(lines[6]), Fields(LineRecord{"7", "1,a", "[object object]", "false", 1, 0, "5"}));
  EXPECT_EQ(lines[7].status, 2147483647);
  EXPECT_EQ(lines[7].ip, "中");
  EXPECT_EQ(Fields(lines[13]), Fields(LineRecord{"", "", "", "", 3, 0, ""}));
  ASSERT_TRUE(document.Parse(kVariedLists[1]));
  lines = RecordsByPrefix(document, kDynamicLineMode);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Fields(lines[0]), Fields(LineRecord{"广东", "深圳\x80", "raw.test", "", 0, 0, ""}));
  EXPECT_EQ(Fields(lines[2]), Fields(LineRecord{"?", "?x", "e.test", "?", 1, 0, ""}));
}

TEST(ParseLineList, GroupsWhatTheRecordsReadByPrefixGive) {
  for (const std::string& body : kVariedLists) {
    for (const char* mode : {kDynamicLineMode, kStaticLineMode}) {
      JsonDocument document;
      ASSERT_TRUE(document.Parse(body));
      ParsedLineList expected;
      for (const LineRecord& line : RecordsByPrefix(document, mode)) {
        if (line.status == -1) continue;
        std::optional<std::size_t> group = FindProvinceGroup(expected.groups, line.province);
        if (!group) {
          group = expected.groups.size();
          expected.groups.push_back({.name = line.province, .lines = {}});
        }
        expected.groups[*group].lines.push_back(line);
        ++expected.count;
      }
      ParsedLineList parsed = ParseLineList(body, mode);
      EXPECT_EQ(parsed.count, expected.count) << body;
      ASSERT_EQ(parsed.groups.size(), expected.groups.size()) << body;
      for (std::size_t g = 0; g < expected.groups.size(); ++g) {
        EXPECT_EQ(parsed.groups[g].name, expected.groups[g].name);
        ASSERT_EQ(parsed.groups[g].lines.size(), expected.groups[g].lines.size()) << g;
        for (std::size_t l = 0; l < expected.groups[g].lines.size(); ++l)
          EXPECT_EQ(Fields(parsed.groups[g].lines[l]), Fields(expected.groups[g].lines[l])) << g << " " << l;
      }
    }
  }
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
