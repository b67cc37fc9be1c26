#include "service/json_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/codepage.h"
#include "service/json_number.h"

// The texts of this file are GBK at run time, as the system's are: "广东" below is two double-byte
// characters, and raw strings keep \u escapes for the document to resolve.

namespace {

std::string Nested(int depth, const std::string& open, const std::string& close) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += open;
  for (int i = 0; i < depth; ++i) text += close;
  return text;
}

// A line list as the service sends it, with n elements.
std::string LineList(int n) {
  std::string body = R"({"code":200,"msg":"ok","data":[)";
  for (int i = 0; i < n; ++i) {
    if (i > 0) body += ',';
    body += R"({"province":"广东","city":"深圳)" + std::to_string(i) + R"(","domain":"GD)" + std::to_string(i) +
            R"(.Example.com","isp":"电信","status":)" + std::to_string(i % 3 - 1) + R"(,"ip":"10.0.0.)" +
            std::to_string(i % 256) + R"("})";
  }
  return body + "]}";
}

JsonDocument Parsed(std::string_view text) {
  JsonDocument document;
  EXPECT_TRUE(document.Parse(text)) << text;
  return document;
}

TEST(JsonDocumentParseTest, RefusesTextsThatAreNotJson) {
  const std::string cases[] = {
      "",
      "   ",
      "null",
      " null ",
      "(function(){})()",
      "{a:1}",
      "'text'",
      R"({"a":'x'})",
      "1+1",
      R"("a"+"b")",
      "new Date()",
      "undefined",
      "NaN",
      "Infinity",
      "0x10",
      "+1",
      ".5",
      "01",
      R"({"a":1,})",
      "[1,2,]",
      "// note\n{}",
      "/* note */{}",
      "{}{}",
      R"({"code":200,"data":[{"province":"广)",
      R"({"code":200,"data":[)",
      R"({"a":"\x"})",
      R"({"a":"\u12"})",
      "{\"a\":\"line\nbreak\"}",
      "\x81\x20{}",  // a byte that is no GBK character, outside any text
      std::string("{}\0{\"b\":1}", 10),
      std::string("{\"a\":\"x\0y\"}", 11),
      R"({"n":1e400})",  // beyond the doubles
      Nested(JsonDocument::kMaxNesting + 1, "[", "]"),
      Nested(100000, "[", "]"),
      Nested(100000, R"({"a":)", "}"),
      Nested(100000, "[", ""),
  };
  for (const std::string& text : cases) {
    JsonDocument document;
    EXPECT_FALSE(document.Parse(text)) << text.substr(0, 40);
    EXPECT_EQ(document.GetType(""), JsonDocument::kAbsent) << text.substr(0, 40);
    EXPECT_EQ(document.ToJson(), "null") << text.substr(0, 40);
  }
}

TEST(JsonDocumentParseTest, AcceptsEveryKindOfJsonValue) {
  struct Case {
    const char* text;
    const char* json;
  };
  const Case cases[] = {
      {"{}", "{}"},
      {" [ ] ", "[]"},
      {"0", "0"},
      {R"("")", R"("")"},
      {"false", "false"},
      {"\t{\r\n\"a\" : [ 1 , {\"b\" : null} , true ] }\n", R"({"a":[1,{"b":null},true]})"},
      {R"({"a":"1","b":2.50,"c":-0,"d":1E2})", R"({"a":"1","b":2.5,"c":0,"d":100})"},
  };
  for (const Case& c : cases) EXPECT_EQ(Parsed(c.text).ToJson(), c.json) << c.text;
}

TEST(JsonDocumentParseTest, EachParseStartsAfresh) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse(R"({"a":1,"b":2})"));
  ASSERT_TRUE(document.Parse(R"({"a":3})"));
  EXPECT_EQ(document.GetText("a"), "3");
  EXPECT_FALSE(document.Has("b"));

  EXPECT_FALSE(document.Parse(R"({"a":)"));
  EXPECT_FALSE(document.Has("a"));
  EXPECT_EQ(document.GetCount(""), JsonDocument::kNoCount);
}

TEST(JsonDocumentParseTest, NestingUpToTheLimitIsReadAndWrittenBack) {
  std::string arrays = Nested(JsonDocument::kMaxNesting, "[", "]");
  JsonDocument document = Parsed(arrays);
  EXPECT_EQ(document.ToJson(), arrays);
  EXPECT_EQ(document.GetText(""), "");
  EXPECT_EQ(document.GetText("[0]"), "");
  EXPECT_EQ(document.GetCount(""), 1);

  std::string objects = Nested(JsonDocument::kMaxNesting, R"({"a":)", "}");
  objects.replace(objects.find('}'), 0, "1");
  EXPECT_EQ(Parsed(objects).ToJson(), objects);
  EXPECT_EQ(Parsed(objects).GetObject("a.a").GetCount(""), 1);
}

TEST(JsonDocumentReadTest, ReadsALineListAsTheCatalogueDoes) {
  const std::string body = R"({"code":100,"data":[
      {"province":"广东","city":"深圳","domain":"GD1.Example.com","isp":"电信","status":0,"ip":"1.2.3.4"},
      {"province":"\u6c5f\u82cf","city":"\u5357\u4eac","domain":"js1.example.com","isp":"\u8054\u901a","status":-1},
      {"province":"北京","status":2}
  ]})";
  JsonDocument document = Parsed(body);
  EXPECT_EQ(document.GetNumber("code"), 100);
  ASSERT_EQ(document.GetCount("data"), 3);

  struct Line {
    const char* province;
    const char* city;
    const char* domain;
    const char* isp;
    int status;
    const char* ip;
  };
  const Line lines[] = {
      {"广东", "深圳", "GD1.Example.com", "电信", 0, "1.2.3.4"},
      {"江苏", "南京", "js1.example.com", "联通", -1, ""},
      {"北京", "", "", "", 2, ""},
  };
  for (int i = 0; i < 3; ++i) {
    std::string prefix = "data[" + std::to_string(i) + "].";
    EXPECT_EQ(document.GetText(prefix + "province"), lines[i].province) << i;
    EXPECT_EQ(document.GetText(prefix + "city"), lines[i].city) << i;
    EXPECT_EQ(document.GetText(prefix + "domain"), lines[i].domain) << i;
    EXPECT_EQ(document.GetText(prefix + "isp"), lines[i].isp) << i;
    EXPECT_EQ(document.GetInt(prefix + "status"), lines[i].status) << i;
    EXPECT_EQ(document.GetText(prefix + "ip"), lines[i].ip) << i;
  }
  EXPECT_EQ(document.GetText("data[0].status"), "0");
}

TEST(JsonDocumentReadTest, PathsMeetTheRootAsEachOperationJoinsThem) {
  JsonDocument document = Parsed(R"({"code":200,"data":[{"province":"广东","status":0},{"status":-1}],
      "x":{"y":"z"},"list":{"0":"zero","1":"one"},"名称":"中文","乚":{"俒":"double-byte names"},
      "a-b c":"literal","":"empty name"})");
  struct Case {
    const char* path;
    const char* text;  // GetText
    int type;          // GetType
    bool has;          // Has
  };
  const Case cases[] = {
      {"code", "200", JsonDocument::kNumber, true},
      {"data[0].province", "广东", JsonDocument::kText, true},
      {"data[0].status", "0", JsonDocument::kNumber, true},
      {"data[1].status", "-1", JsonDocument::kNumber, true},
      {"x.y", "z", JsonDocument::kText, true},
      {"list[1]", "one", JsonDocument::kText, true},
      {"名称", "中文", JsonDocument::kText, true},
      {"乚.俒", "double-byte names", JsonDocument::kText, true},
      {"a-b c", "literal", JsonDocument::kText, true},
      // Not there: absent, beyond the end, through something absent.
      {"data[0].city", "", JsonDocument::kAbsent, false},
      {"data[2].province", "", JsonDocument::kAbsent, false},
      {"nope.deeper", "", JsonDocument::kAbsent, false},
      {"code.deeper", "", JsonDocument::kAbsent, false},
      {"data.province", "", JsonDocument::kAbsent, false},
      {"x[0]", "", JsonDocument::kAbsent, false},
      {"data[99999999999999999999999].status", "", JsonDocument::kAbsent, false},
      // Malformed.
      {"data[01].status", "", JsonDocument::kAbsent, false},
      {"data[-1].status", "", JsonDocument::kAbsent, false},
      {"data[x]", "", JsonDocument::kAbsent, false},
      {"data[ 0 ].status", "", JsonDocument::kAbsent, false},
      {"data[0", "", JsonDocument::kAbsent, false},
      {"data]", "", JsonDocument::kAbsent, false},
      {"data[0]status", "", JsonDocument::kAbsent, false},
      {"data..x", "", JsonDocument::kAbsent, false},
      {"x.y.", "", JsonDocument::kAbsent, false},
      {".code", "", JsonDocument::kAbsent, false},
      {"[0]", "", JsonDocument::kAbsent, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(document.GetText(c.path), c.text) << c.path;
    EXPECT_EQ(document.GetType(c.path), c.type) << c.path;
    EXPECT_EQ(document.Has(c.path), c.has) << c.path;
  }

  // The empty path: nothing for GetText and Has, the root for GetType and GetCount.
  EXPECT_EQ(document.GetText(""), "");
  EXPECT_EQ(document.GetJson(""), "");
  EXPECT_FALSE(document.Has(""));
  EXPECT_EQ(document.GetNumber(""), 0);
  EXPECT_EQ(document.GetType(""), JsonDocument::kObject);
  EXPECT_EQ(document.GetCount(""), 8);
}

TEST(JsonDocumentReadTest, ARootArrayIsIndexedOnlyWhereTheOperationAllowsIt) {
  JsonDocument document = Parsed(R"(["first","second",{"a":"deep"}])");
  EXPECT_EQ(document.GetText("[1]"), "second");
  EXPECT_EQ(document.GetText("[2].a"), "deep");
  EXPECT_EQ(document.GetJson("[2]"), R"({"a":"deep"})");
  EXPECT_EQ(document.GetObject("[2]").GetText("a"), "deep");
  EXPECT_EQ(document.GetCount(""), 3);
  EXPECT_EQ(document.GetCount("[2]"), JsonDocument::kNoCount);
  EXPECT_EQ(document.GetType("[1]"), JsonDocument::kAbsent);
  EXPECT_FALSE(document.Has("[1]"));
  EXPECT_EQ(document.GetElementText(1, "", false), "second");
  EXPECT_EQ(document.GetElementObject(2, "").GetText("a"), "deep");
}

TEST(JsonDocumentReadTest, CountsElementsAndMembers) {
  JsonDocument document = Parsed(R"({"array":[1,2,3],"empty":[],"object":{"a":1,"b":2},"none":{},
      "text":"abc","number":5,"truth":true,"nothing":null})");
  struct Case {
    const char* path;
    int count;
  };
  const Case cases[] = {
      {"array", 3}, {"empty", 0}, {"object", 2}, {"none", 0}, {"", 8},
  };
  for (const Case& c : cases) EXPECT_EQ(document.GetCount(c.path), c.count) << c.path;
  for (const char* path : {"absent", "text", "number", "truth", "nothing", "array[0]", "array[9]"})
    EXPECT_LT(document.GetCount(path), 1) << path;
}

TEST(JsonDocumentReadTest, TypesTruthAndNumbersOfEachKind) {
  JsonDocument document = Parsed(R"({"text":"abc","empty":"","numeric":"200","negative":"-1","spaced":" 7",
      "number":2.9,"minus":-2.9,"zero":0,"yes":true,"no":false,"nothing":null,"array":[],"object":{}})");
  struct Case {
    const char* path;
    int type;
    bool truth;
    double number;
    int integer;
  };
  const Case cases[] = {
      {"text", JsonDocument::kText, true, 0, 0},        {"empty", JsonDocument::kText, false, 0, 0},
      {"numeric", JsonDocument::kText, true, 200, 200}, {"negative", JsonDocument::kText, true, -1, -1},
      {"spaced", JsonDocument::kText, true, 0, 0},      {"number", JsonDocument::kNumber, true, 2.9, 2},
      {"minus", JsonDocument::kNumber, true, -2.9, -2}, {"zero", JsonDocument::kNumber, false, 0, 0},
      {"yes", JsonDocument::kObject, true, 1, 1},       {"no", JsonDocument::kObject, false, 0, 0},
      {"nothing", JsonDocument::kAbsent, false, 0, 0},  {"absent", JsonDocument::kAbsent, false, 0, 0},
      {"array", JsonDocument::kArray, true, 0, 0},      {"object", JsonDocument::kObject, true, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(document.GetType(c.path), c.type) << c.path;
    EXPECT_EQ(document.GetBool(c.path), c.truth) << c.path;
    EXPECT_EQ(document.GetNumber(c.path), c.number) << c.path;
    EXPECT_EQ(document.GetInt(c.path), c.integer) << c.path;
    EXPECT_EQ(document.GetInt64(c.path), c.integer) << c.path;
  }
}

TEST(JsonDocumentReadTest, IntegersAreTruncatedAndHeldToTheirRange) {
  JsonDocument document = Parsed(R"({"big":1e10,"small":-1e10,"huge":1e300,"exact":9007199254740993,
      "edge":2147483647.9,"over":2147483648,"text":"3e9"})");
  constexpr auto kInt32Max = std::numeric_limits<std::int32_t>::max();
  constexpr auto kInt32Min = std::numeric_limits<std::int32_t>::min();
  constexpr auto kInt64Max = std::numeric_limits<std::int64_t>::max();
  EXPECT_EQ(document.GetInt("big"), kInt32Max);
  EXPECT_EQ(document.GetInt("small"), kInt32Min);
  EXPECT_EQ(document.GetInt("edge"), kInt32Max);
  EXPECT_EQ(document.GetInt("over"), kInt32Max);
  EXPECT_EQ(document.GetInt64("big"), 10000000000);
  EXPECT_EQ(document.GetInt64("huge"), kInt64Max);
  EXPECT_EQ(document.GetInt64("exact"), 9007199254740992);  // the nearest double, as script engines hold it
  EXPECT_EQ(document.GetNumber("text"), 3e9);
  EXPECT_EQ(document.GetInt("text"), kInt32Max);

  document.SetDouble("nan", std::nan(""));
  EXPECT_EQ(document.GetInt("nan"), 0);
  EXPECT_EQ(document.GetInt64("nan"), 0);
}

TEST(JsonDocumentReadTest, NumbersReadAsScriptEnginesPrintThem) {
  struct Case {
    const char* json;
    const char* text;
  };
  const Case cases[] = {
      {"0", "0"},
      {"-0", "0"},
      {"-0.0", "0"},
      {"200", "200"},
      {"-1", "-1"},
      {"1.5", "1.5"},
      {"2.50", "2.5"},
      {"0.1", "0.1"},
      {"1E2", "100"},
      {"1e21", "1e+21"},
      {"1e20", "100000000000000000000"},
      {"123456789012345680000", "123456789012345680000"},
      {"1.2345e21", "1.2345e+21"},
      {"0.000001", "0.000001"},
      {"0.0000015", "0.0000015"},
      {"1e-7", "1e-7"},
      {"-1.5e-7", "-1.5e-7"},
      {"9007199254740993", "9007199254740992"},
      {"18446744073709551615", "18446744073709552000"},
      {"123456789012345678901234567890", "1.2345678901234568e+29"},
      {"0.30000000000000004", "0.30000000000000004"},
      {"2.2250738585072014e-308", "2.2250738585072014e-308"},
      {"4.9406564584124654e-324", "5e-324"},
      {"1.7976931348623157e308", "1.7976931348623157e+308"},
      {"1e-400", "0"},
      {"0.00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       "0000000000000000000001",
       "0"},
  };
  for (const Case& c : cases) {
    JsonDocument document = Parsed(std::string(R"({"n":)") + c.json + "}");
    EXPECT_EQ(document.GetText("n"), c.text) << c.json;
    EXPECT_EQ(document.GetType("n"), JsonDocument::kNumber) << c.json;
  }
}

TEST(JsonNumberTest, NumberToTextCoversEveryForm) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {1.0, "1"},
      {-1.5, "-1.5"},
      {0.1 + 0.2, "0.30000000000000004"},
      {1e21, "1e+21"},
      {999999999999999868928.0, "999999999999999900000"},
      {1e-6, "0.000001"},
      {1e-7, "1e-7"},
      {123e-20, "1.23e-18"},
      {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
      {std::numeric_limits<double>::denorm_min(), "5e-324"},
      {std::numeric_limits<double>::quiet_NaN(), "NaN"},
      {std::numeric_limits<double>::infinity(), "Infinity"},
      {-std::numeric_limits<double>::infinity(), "-Infinity"},
  };
  for (const Case& c : cases) EXPECT_EQ(NumberToText(c.value), c.text) << c.text;
}

TEST(JsonNumberTest, TextToDoubleTakesOnlyWholeDecimals) {
  struct Case {
    const char* text;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"200", 200},
      {"-1", -1},
      {"2.5e3", 2500},
      {".5", 0.5},
      {"1e999", std::nullopt},
      {"-1e999", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"-infinity", std::nullopt},
      {"+1", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"1x", std::nullopt},
      {"0x10", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToDouble(c.text), c.value) << c.text;
}

TEST(JsonDocumentTextTest, TextsComeBackInCodePage936) {
  JsonDocument document = Parsed(
      R"({"raw":"广东深圳","escaped":"\u5e7f\u4e1c","mixed":"a\u4e2d\"b\\c\/d\n","thai":"\u0e01","emoji":"\ud83d\ude00",)"
      R"("loneHigh":"a\ud800b","loneLow":"a\udc00b","highThenText":"\ud800\u0041","invalid":"x)"
      "\x81"
      R"(","zero":"ab\u0000cd","euro":"\u20ac","escapedBackslash":"\\ud800"})");
  struct Case {
    const char* path;
    std::string text;
  };
  const Case cases[] = {
      {"raw", "广东深圳"}, {"escaped", "广东"}, {"mixed", "a中\"b\\c/d\n"}, {"thai", "?"},
      {"emoji", "?"},      {"loneHigh", "a?b"}, {"loneLow", "a?b"},         {"highThenText", "?A"},
      {"invalid", "x?"},   {"zero", "ab"},      {"euro", "\x80"},           {"escapedBackslash", "\\ud800"},
  };
  for (const Case& c : cases) EXPECT_EQ(document.GetText(c.path), c.text) << c.path;
}

TEST(JsonDocumentTextTest, AnAsciiTextReadsAsOneThatNeedsConverting) {
  // An ASCII text is read where it lies; a raw double-byte character elsewhere in the text sends it
  // through the conversion to UTF-8. Escapes must come out the same either way.
  struct Case {
    const char* escaped;
    std::string text;
  };
  const Case cases[] = {
      {R"(\u5e7f\u4e1c)", "广东"},
      {R"(\u20ac)", "\x80"},
      {R"(\u0e01)", "?"},
      {R"(a\ud800b)", "a?b"},
      {R"(a\udc00b)", "a?b"},
      {R"(\uDBFF)", "?"},
      {R"(\ud800\u0041)", "?A"},
      {R"(\ud83d\ude00)", "?"},
      {R"(\uD83D\uDE00)", "?"},
      {R"(\udc00\ud800\udc00)", "??"},
      {R"(\\ud800)", "\\ud800"},
      {R"(\\\ud800)", "\\?"},
      {R"(\\udp)", "\\udp"},
      {R"(ab\u0000cd)", "ab"},
      {R"(\ud7ff\ue000\uffff)", platform::FromUtf16(u"\ud7ff\ue000\uffff", platform::CodePage::Ansi)},
  };
  for (const Case& c : cases) {
    JsonDocument ascii = Parsed(std::string(R"({"t":")") + c.escaped + R"("})");
    JsonDocument converted = Parsed(std::string(R"({"raw":"广","t":")") + c.escaped + R"("})");
    EXPECT_EQ(ascii.GetText("t"), c.text) << c.escaped;
    EXPECT_EQ(converted.GetText("t"), c.text) << c.escaped;
  }
}

TEST(JsonDocumentTextTest, OtherValuesTakeTheirScriptTextForm) {
  JsonDocument document = Parsed(R"({"yes":true,"no":false,"array":[1,"a",null,[2,3],{"b":1}],"object":{"b":1},
      "nothing":null})");
  EXPECT_EQ(document.GetText("yes"), "true");
  EXPECT_EQ(document.GetText("no"), "false");
  EXPECT_EQ(document.GetText("array"), "1,a,,2,3,[object Object]");
  EXPECT_EQ(document.GetText("object"), "[object Object]");
  EXPECT_EQ(document.GetText("nothing"), "");
  EXPECT_EQ(document.GetText("nothing", true), "null");
  EXPECT_EQ(document.GetText("absent", true), "");
  EXPECT_EQ(document.GetText("array", true), R"([1,"a",null,[2,3],{"b":1}])");
}

TEST(JsonDocumentTextTest, JsonTextEscapesWhatMustNotTravelRaw) {
  JsonDocument document = Parsed(
      R"(["q\"b\\s\/","\b\f\n\r\t\u0001\u001f\u007f","\u00ad\u2028\u200e\ufeff","\u0e01\ud83d\ude00","广东\u20ac"])");
  const std::string expected =
      R"(["q\"b\\s/","\b\f\n\r\t\u0001\u001f\u007f","\u00ad\u2028\u200e\ufeff","\u0e01\ud83d\ude00","广东)"
      "\x80"
      R"("])";
  EXPECT_EQ(document.ToJson(), expected);
  // What is written reads back as the same value.
  EXPECT_EQ(Parsed(document.ToJson()).ToJson(), expected);
}

TEST(JsonDocumentDuplicateTest, TheLastOfDuplicateNamesCounts) {
  // Small objects are searched, large ones indexed; both must agree.
  std::string large = R"({"a":1,)";
  for (int i = 0; i < 40; ++i) large += "\"m" + std::to_string(i) + "\":" + std::to_string(i) + ",";
  large += R"("b":2,"a":3})";
  for (const std::string& text : {std::string(R"({"a":1,"b":2,"a":3})"), large}) {
    JsonDocument document = Parsed(text);
    EXPECT_EQ(document.GetText("a"), "3");
    EXPECT_EQ(document.GetText("b"), "2");
    EXPECT_EQ(document.GetCount(""), text == large ? 42 : 2);
    std::vector<std::string> keys = document.GetKeys("");
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.front(), "a");
    EXPECT_EQ(keys.back(), "b");
    EXPECT_EQ(document.ToJson().substr(0, 7), R"({"a":3,)");
  }
}

TEST(JsonDocumentLargeTest, ReadsAHundredThousandLines) {
  constexpr int kLines = 100000;
  JsonDocument document = Parsed(LineList(kLines));
  ASSERT_EQ(document.GetCount("data"), kLines);
  int abandoned = 0;
  for (int i = 0; i < kLines; ++i) {
    std::string prefix = "data[" + std::to_string(i) + "].";
    if (document.GetInt(prefix + "status") == -1) ++abandoned;
    ASSERT_EQ(document.GetText(prefix + "domain"), "GD" + std::to_string(i) + ".Example.com");
    ASSERT_EQ(document.GetText(prefix + "province"), "广东");
  }
  EXPECT_EQ(abandoned, (kLines + 2) / 3);
  EXPECT_EQ(document.GetText("data[99999].city"), "深圳99999");
}

TEST(JsonDocumentLargeTest, DataAsAnObjectIsReadByItsDigitNames) {
  // An array with gaps that a server wrote as an object: "data" is keyed by the indexes.
  constexpr int kLines = 100000;
  std::string body = R"({"code":200,"data":{)";
  for (int i = 0; i < kLines; ++i) {
    if (i > 0) body += ',';
    body += "\"" + std::to_string(i == 5 ? kLines : i) + R"(":{"domain":"d)" + std::to_string(i) + "\"}";
  }
  JsonDocument document = Parsed(body + "}}");
  ASSERT_EQ(document.GetCount("data"), kLines);
  int found = 0;
  for (int i = 0; i < kLines; ++i) found += document.GetText("data[" + std::to_string(i) + "].domain").empty() ? 0 : 1;
  EXPECT_EQ(found, kLines - 1);
  EXPECT_EQ(document.GetText("data[4].domain"), "d4");
  EXPECT_EQ(document.GetText("data[5].domain"), "");
  EXPECT_EQ(document.GetText("data[100000].domain"), "d5");
}

TEST(JsonDocumentElementTest, ElementsReadAsTheirPathsDo) {
  // Elements of every kind, a large one (searched through an index) with a repeated name, and lists
  // that are an object keyed by digits, a text, empty or absent.
  std::string large = R"({"n":1,)";
  for (int i = 0; i < 40; ++i) large += "\"m" + std::to_string(i) + "\":" + std::to_string(i) + ",";
  large += R"("n":"2"})";
  JsonDocument document = Parsed(R"({"data":[{"a":"x","b":2.9,"名称":"中文","a":"last"},{"b":"-3"},"text",7,null,)"
                                 R"([1,2],{},)" +
                                 large +
                                 R"(],"keyed":{"1":{"a":"one"},"0":{"a":"zero"},"5":{"a":"five"}},)"
                                 R"("text":"t","empty":[]})");
  const char* const names[] = {"a", "b", "名称", "n", "m39", "missing"};
  for (const char* path : {"data", "keyed", "text", "empty", "absent"}) {
    int visits = 0;
    document.ForEachElement(path, [&](const JsonDocument::Element& element) {
      const std::string prefix = std::string(path) + "[" + std::to_string(visits) + "].";
      for (const char* name : names) {
        EXPECT_EQ(element.GetText(name), document.GetText(prefix + name)) << prefix << name;
        EXPECT_EQ(element.GetInt(name), document.GetInt(prefix + name)) << prefix << name;
      }
      ++visits;
    });
    EXPECT_EQ(visits, std::max(document.GetCount(path), 0)) << path;
  }

  std::vector<std::string> texts;
  document.ForEachElement("data", [&](const JsonDocument::Element& element) {
    texts.push_back(element.GetText("a") + "|" + std::to_string(element.GetInt("b")) + "|" + element.GetText("名称") +
                    "|" + element.GetText("n"));
  });
  EXPECT_EQ(texts,
            (std::vector<std::string>{"last|2|中文|", "|-3||", "|0||", "|0||", "|0||", "|0||", "|0||", "|0||2"}));
  texts.clear();
  document.ForEachElement("keyed",
                          [&](const JsonDocument::Element& element) { texts.push_back(element.GetText("a")); });
  EXPECT_EQ(texts, (std::vector<std::string>{"zero", "one", ""}));

  texts.clear();
  Parsed(R"([{"a":"first"},"second"])").ForEachElement("", [&](const JsonDocument::Element& element) {
    texts.push_back(element.GetText("a"));
  });
  EXPECT_EQ(texts, (std::vector<std::string>{"first", ""}));
}

TEST(JsonDocumentElementTest, AVisitThatChangesTheDocumentEndsTheWalk) {
  struct Case {
    const char* name;
    std::function<void(JsonDocument&)> change;
  };
  const Case cases[] = {
      {"grow the list",
       [](JsonDocument& document) {
         for (int i = 0; i < 100; ++i) document.Push("{}", "data", true);
       }},
      {"set a member", [](JsonDocument& document) { document.SetText("data[1].a", "changed"); }},
      {"reset the root", [](JsonDocument& document) { document.Reset(JsonDocument::kArray); }},
      {"parse afresh", [](JsonDocument& document) { document.Parse(R"({"data":[{"a":"new"}]})"); }},
      {"start afresh", [](JsonDocument& document) { document.Init(); }},
      {"destroy", [](JsonDocument& document) { document.Destroy(); }},
  };
  for (const Case& c : cases) {
    JsonDocument document = Parsed(R"({"data":[{"a":"0"},{"a":"1"},{"a":"2"}]})");
    std::vector<std::string> seen;
    document.ForEachElement("data", [&](const JsonDocument::Element& element) {
      seen.push_back(element.GetText("a"));
      c.change(document);
    });
    EXPECT_EQ(seen, std::vector<std::string>{"0"}) << c.name;
  }

  // A change through a copy ends it too; reads through the document do not.
  JsonDocument document = Parsed(R"({"data":[{"a":"0"},{"a":"1"},{"a":"2"}]})");
  JsonDocument copy = document.Copy();
  std::vector<std::string> seen;
  document.ForEachElement("data", [&](const JsonDocument::Element& element) {
    seen.push_back(element.GetText("a") + document.GetText("data[2].a"));
    if (seen.size() == 2) copy.SetText("x", "changed");
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"02", "12"}));
}

TEST(JsonDocumentWriteTest, SettersWriteMembersThatExistOrCanBeMade) {
  JsonDocument document = Parsed(R"({"list":[1,2],"obj":{},"text":"t"})");
  document.SetText("name", R"(it's "quoted" \n)");
  document.SetText("中文", "广东");
  document.SetJson("obj.inner", R"({"a":[true]})");
  document.SetMember("obj.empty", "", true);
  document.SetDouble("obj.half", 0.5);
  document.SetInt("list[1]", -7);
  document.SetInt64("list[2]", 9007199254740993);
  document.SetBool("flag", false);
  EXPECT_EQ(document.GetText("name"), R"(it's "quoted" \n)");
  EXPECT_EQ(document.GetText("中文"), "广东");
  EXPECT_EQ(document.GetText("list"), "1,-7,9007199254740992");
  EXPECT_EQ(document.GetType("flag"), JsonDocument::kObject);
  EXPECT_FALSE(document.GetBool("flag"));
  EXPECT_EQ(document.ToJson(),
            R"({"list":[1,-7,9007199254740992],"obj":{"inner":{"a":[true]},"empty":{},"half":0.5},"text":"t",)"
            R"("name":"it's \"quoted\" \\n","中文":"广东","flag":false})");

  const std::string before = document.ToJson();
  document.SetText("", "x");  // a setter's path must name a member
  document.SetText("[0]", "x");
  document.SetText("absent.member", "x");  // through something absent
  document.SetText("text.member", "x");    // into a text
  document.SetText("list[4]", "x");        // beyond the end of an array
  document.SetText("list.name", "x");      // a name on an array
  document.SetJson("obj.bad", "{a:1}");    // not JSON
  document.SetJson("obj.bad", "(function(){})()");
  document.SetText("list[", "x");
  EXPECT_EQ(document.ToJson(), before);
}

TEST(JsonDocumentWriteTest, WritesThatWouldNestTooDeepAreRefused) {
  JsonDocument document;
  std::string deepest = Nested(JsonDocument::kMaxNesting - 1, "[", "]");
  document.SetJson("a", deepest);
  EXPECT_EQ(document.GetType("a"), JsonDocument::kArray);
  document.SetJson("b", "[" + deepest + "]");
  EXPECT_FALSE(document.Has("b"));
  document.Push(deepest, "c", true);
  EXPECT_FALSE(document.Has("c"));
  document.Push(Nested(JsonDocument::kMaxNesting - 2, "[", "]"), "c", true);
  EXPECT_EQ(document.GetCount("c"), 1);
}

TEST(JsonDocumentWriteTest, PushMakesAnArrayWhereThereIsNone) {
  JsonDocument document = Parsed(R"({"list":[1],"text":"t"})");
  document.Push("2", "list", true);
  document.Push("2", "list", false);
  document.Push(R"({"a":"广东"})", "text", true);
  document.Push("x", "fresh", false);
  document.Push("{bad", "list", true);
  document.Push("x", "absent.member", false);
  EXPECT_EQ(document.ToJson(), R"({"list":[1,2,"2"],"text":[{"a":"广东"}],"fresh":["x"]})");

  document.Push("1", "", true);
  EXPECT_EQ(document.ToJson(), "[1]");
}

TEST(JsonDocumentWriteTest, ElementsOfTheRootAreSetAndRemoved) {
  JsonDocument document;
  document.Reset(JsonDocument::kArray);
  document.SetElement(0, "a", false);
  document.SetElement(1, R"({"b":1})", true);
  document.SetElement(3, "beyond", false);
  document.SetElement(-1, "negative", false);
  document.SetElement(0, "[", true);
  EXPECT_EQ(document.ToJson(), R"(["a",{"b":1}])");
  EXPECT_EQ(document.GetElementText(1, "", true), R"({"b":1})");
  EXPECT_EQ(document.GetElementText(1, "", false), "[object Object]");
  EXPECT_EQ(document.GetElementText(2, "", false), "");

  document.Assign("[0,1,2,3,4]", true);
  struct Case {
    int index;
    const char* json;
  };
  const Case removals[] = {{1, "[0,2,3,4]"}, {-1, "[0,2,3]"}, {3, "[0,2,3]"}, {-4, "[0,2,3]"}, {-3, "[2,3]"}};
  for (const Case& c : removals) {
    document.RemoveElement(c.index);
    EXPECT_EQ(document.ToJson(), c.json) << c.index;
  }

  // On a root object an element is the member named by the index.
  document.Reset(JsonDocument::kObject);
  document.SetElement(7, "seven", false);
  document.RemoveElement(0);
  EXPECT_EQ(document.ToJson(), R"({"7":"seven"})");
  EXPECT_EQ(document.GetElementText(7, "", false), "seven");
  EXPECT_EQ(document.GetText("[7]"), "seven");
}

TEST(JsonDocumentWriteTest, ResetAssignAndClearReplaceTheRoot) {
  struct Case {
    int kind;
    const char* json;
  };
  const Case cases[] = {{JsonDocument::kAbsent, "{}"},
                        {JsonDocument::kObject, "{}"},
                        {JsonDocument::kArray, "[]"},
                        {3, R"({"a":1})"},
                        {JsonDocument::kText, R"({"a":1})"}};
  for (const Case& c : cases) {
    JsonDocument document = Parsed(R"({"a":1})");
    document.Reset(c.kind);
    EXPECT_EQ(document.ToJson(), c.json) << c.kind;
  }

  JsonDocument document;
  document.Assign("广东", false);
  EXPECT_EQ(document.ToJson(), R"("广东")");
  document.Assign("{a:1}", true);
  EXPECT_EQ(document.ToJson(), R"("广东")");
  document.Assign(R"({"a":[1]})", true);
  EXPECT_EQ(document.GetText("a[0]"), "1");
  document.Clear();
  EXPECT_EQ(document.ToJson(), "{}");
}

TEST(JsonDocumentWriteTest, KeysListMembersInTheirOrder) {
  JsonDocument document = Parsed(R"({"z":1,"广东":{"b":1,"a":2},"list":["x","y"],"text":"t"})");
  EXPECT_EQ(document.GetKeys(""), (std::vector<std::string>{"z", "广东", "list", "text"}));
  EXPECT_EQ(document.GetKeys("广东"), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(document.GetKeys("list"), (std::vector<std::string>{"0", "1"}));
  EXPECT_TRUE(document.GetKeys("text").empty());
  EXPECT_TRUE(document.GetKeys("absent").empty());
}

TEST(JsonDocumentLifetimeTest, CopiesShareTheValueUntilOneIsGivenAFreshOne) {
  JsonDocument document = Parsed(R"({"a":1})");
  JsonDocument copy = document.Copy();
  copy.SetText("b", "shared");
  EXPECT_EQ(document.GetText("b"), "shared");

  JsonDocument member = document.GetObject("b");
  JsonDocument element = Parsed(R"([{"c":2}])").GetElementObject(0, "");
  document.SetText("b", "changed");
  EXPECT_EQ(member.ToJson(), R"("shared")");
  EXPECT_EQ(element.GetText("c"), "2");
  EXPECT_EQ(document.GetObject("absent").ToJson(), "null");

  ASSERT_TRUE(document.Parse(R"({"fresh":true})"));
  EXPECT_EQ(copy.GetText("b"), "changed");
  EXPECT_FALSE(copy.Has("fresh"));
  document.Init();
  EXPECT_EQ(document.ToJson(), "{}");
  EXPECT_EQ(copy.GetText("a"), "1");
}

TEST(JsonDocumentLifetimeTest, ADestroyedDocumentAnswersEmptyUntilItIsFilledAgain) {
  JsonDocument document = Parsed(R"({"a":1,"b":[1]})");
  JsonDocument copy = document.Copy();
  document.Destroy();
  document.SetText("c", "x");
  document.Push("1", "b", true);
  EXPECT_EQ(document.ToJson(), "");
  EXPECT_EQ(document.GetText("a"), "");
  EXPECT_EQ(document.GetInt("a"), 0);
  EXPECT_EQ(document.GetCount("b"), JsonDocument::kNoCount);
  EXPECT_EQ(document.GetType(""), JsonDocument::kAbsent);
  EXPECT_EQ(copy.ToJson(), R"({"a":1,"b":[1]})");
  EXPECT_TRUE(document.Parse("[2]"));
  EXPECT_EQ(document.GetText("[0]"), "2");
}

TEST(JsonDocumentThreadTest, DocumentsOnDifferentThreadsDoNotMeet) {
  std::vector<int> counts(4);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &counts] {
      for (int round = 0; round < 20; ++round) {
        JsonDocument document;
        document.Parse(LineList(50 + t));
        int n = document.GetCount("data");
        for (int i = 0; i < n; ++i) document.GetText("data[" + std::to_string(i) + "].province");
        counts[t] = n;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(counts, (std::vector<int>{50, 51, 52, 53}));
}

}  // namespace
