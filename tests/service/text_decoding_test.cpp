#include "service/text_decoding.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

using namespace std::string_view_literals;

namespace {

// The cases below rest on these byte patterns, which only hold when literals are GBK.
static_assert("啊"sv == "\xB0\xA1"sv);
static_assert("安"sv == "\xB0\xB2"sv);
static_assert("疈"sv == "\xAF\x40"sv);  // lead AF: "啊疈" holds A1 AF across the boundary
static_assert("癨"sv == "\xB0\x5C"sv);  // trail byte is a backslash
static_assert("皗"sv == "\xB0\x7B"sv);  // trail byte is "{"
static_assert("皘"sv == "\xB0\x7C"sv);  // trail byte is "|"
static_assert("“"sv == "\xA1\xB0"sv);
static_assert("’"sv == "\xA1\xAF"sv);

// Names each case after its table row.
struct RowName {
  template <typename Row>
  std::string operator()(const testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

struct DecodeCase {
  const char* name;
  std::string_view input;
  std::string_view expected;
};

// Failures show the row's name rather than its bytes.
void PrintTo(const DecodeCase& row, std::ostream* os) { *os << row.name; }

const DecodeCase kDecodeCases[] = {
    {"Empty", "", ""},
    {"PlainText", "code=0 ok", "code=0 ok"},
    {"GbkTextPassesThrough", R"({"msg":"连接成功"})", R"({"msg":"连接成功"})"},
    {"CrLfKeptInPlace", "a\r\nb\r\n", "a\r\nb\r\n"},
    {"LeadingCrLfKept", "\r\nab", "\r\nab"},
    {"LeadingLoneCrDropped", "\rab", "ab"},
    {"JsonMessage", R"({"code":1,"msg":"\u767b\u5f55\u5931\u8D25"})", R"({"code":1,"msg":"登录失败"})"},
    {"LowerCaseU", R"(\u0041)", "A"},
    {"UpperCaseUIsAnOrdinaryEscape", R"(\U0041)", "U0041"},
    {"UWithoutFourHexDigitsLeftToUnescape", R"(\u00G1)", R"(%u00G1)"},
    {"EscapedBackslashBeforeU", R"(\\u0041)", "A"},
    {"PercentHex", "%41%e9", "A\xA8\xA6"},  // %e9 is é, which GBK holds as A8 A6
    {"PercentU", "%u8FDE%u63a5", "连接"},
    {"OtherPercentStays", "100% %zz %u12 %4", "100% %zz %u12 %4"},
    {"EscapedSlash", R"(http:\/\/127.0.0.1\/ip)", "http://127.0.0.1/ip"},
    {"SingleLetterEscapes", R"(\b\t\n\v\f\r\"\\)", "\b\t\n\v\f\r\"\\"},
    {"EscapedPercentStillUnescaped", R"(\%41)", "A"},
    {"OtherCharacterStandsForItself", R"(\q\8\连)", "q8连"},
    {"HexEscape", R"(\x41\x6a)", "Aj"},
    {"XWithoutTwoHexDigits", R"(\x4g)", "x4g"},
    {"OctalThreeDigitsAfterZeroToThree", R"(\101\1010)", "AA0"},
    {"OctalTwoDigitsAfterFourToSeven", R"(\477)", "'7"},
    {"OctalStopsAtNonOctalDigit", R"(\0\18)", "\0\0018"sv},  // NUL, U+0001, "8"
    {"TrailingEscapedBackslash", R"(abc\\)", "abc\\"},
    {"Apostrophe", "it's", "it's"},
    {"EscapedApostrophe", R"(\')", "'"},
    {"RightSingleQuoteBecomesApostrophe", "it’s", "it's"},
    {"LineBreakMarkInAnswer", "a{$}b", "a\r\nb"},
    {"UnmappableBecomeQuestionMarks", R"(\u0e01|\ud83d\ude00|\ud800)", "?|?|?"},
    {"TrailByteBackslashBeforeU", "癨u0041", "癨u0041"},
    {"QuoteBytesAcrossCharacters", "啊疈", "啊疈"},
    {"TrailByteBraceBeforeMarkRest", "皗$}", "皗$}"},
};

class DecodeUnicodeEscapesTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeUnicodeEscapesTest, Decodes) { EXPECT_EQ(DecodeUnicodeEscapes(GetParam().input), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Cases, DecodeUnicodeEscapesTest, testing::ValuesIn(kDecodeCases), RowName());

// Texts that cannot be a string literal's body: the result is the bytes as prepared (CR LF and
// apostrophes marked, "\u" turned into "%u") read as UTF-16LE.
struct FallbackCase {
  const char* name;
  std::string_view input;
  std::string_view prepared;
};

void PrintTo(const FallbackCase& row, std::ostream* os) { *os << row.name; }

const FallbackCase kFallbackCases[] = {
    {"LoneLineFeed", "it's \\u0041\r\n\n", "it’s %u0041{$}\n"},
    {"LoneCrInside", "ab\rcd", "ab\rcd"},
    {"TrailingSingleBackslash", "msg\\", "msg\\"},
    {"BackslashBeforeLineFeed", "ab\\\ncd", "ab\\\ncd"},
    // 0x80 takes the apostrophe along as a trail byte, so it is not marked, yet it converts on its own
    // (the euro sign) and would end the literal.
    {"UnmarkedApostrophe", "\x80';x='", "\x80';x=’"},
};

class DecodeFallbackTest : public testing::TestWithParam<FallbackCase> {};

TEST_P(DecodeFallbackTest, ReadsPreparedBytesAsUnicode) {
  EXPECT_EQ(DecodeUnicodeEscapes(GetParam().input), ReadBytesAsUnicode(GetParam().prepared));
}

INSTANTIATE_TEST_SUITE_P(Cases, DecodeFallbackTest, testing::ValuesIn(kFallbackCases), RowName());

TEST(DecodeLoneLineFeedTest, GivesNoTextOfItsOwn) {
  // 61 0A 62: the unit U+0A61 has no GBK form, and the odd "b" is dropped.
  EXPECT_EQ(DecodeUnicodeEscapes("a\nb"), "?");
}

struct BytesCase {
  const char* name;
  std::string_view bytes;
  std::string_view expected;
};

void PrintTo(const BytesCase& row, std::ostream* os) { *os << row.name; }

const BytesCase kBytesCases[] = {
    {"Empty", "", ""},
    {"Ascii", "A\0B\0"sv, "AB"},
    {"Chinese", "\xDE\x8F\xA5\x63", "连接"},
    {"OddTrailingByteDropped", "A\0B"sv, "A"},
    {"Unmappable", "\x01\x0E", "?"},
    {"SurrogatePairIsOneCharacter", "\x3D\xD8\x00\xDE"sv, "?"},
};

class ReadBytesAsUnicodeTest : public testing::TestWithParam<BytesCase> {};

TEST_P(ReadBytesAsUnicodeTest, Reads) { EXPECT_EQ(ReadBytesAsUnicode(GetParam().bytes), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Cases, ReadBytesAsUnicodeTest, testing::ValuesIn(kBytesCases), RowName());

struct BetweenCase {
  const char* name;
  std::string_view text;
  std::string_view startMarker;
  std::string_view endMarker;
  std::string_view expected;
};

void PrintTo(const BetweenCase& row, std::ostream* os) { *os << row.name; }

const BetweenCase kBetweenCases[] = {
    {"Simple", "<a>", "<", ">", "a"},
    {"LongMarkers", R"({"code":0,"msg":"连接成功"})", R"("msg":")", R"(")", "连接成功"},
    {"WrongOrder", "x>y<z", "<", ">", ""},
    {"EndSoughtAfterStart", "x>y<z>", "<", ">", "z"},
    {"StartTwiceUsesFirst", "<a><b>", "<", ">", "a"},
    {"Adjacent", "<>", "<", ">", ""},
    {"SameMarkerBothEnds", "|a|b|", "|", "|", "a"},
    {"MissingStart", "a>b", "<", ">", ""},
    {"MissingEnd", "<ab", "<", ">", ""},
    {"CaseMatters", "Msg:x;", "msg:", ";", ""},
    {"StartNotFromInsideCharacter", "啊安“x]", "“", "]", "x"},
    {"EndNotFromInsideCharacter", "[啊安“x", "[", "“", "啊安"},
    {"MarkerByteAsTrailByteSkipped", "|皘ab|", "|", "|", "皘ab"},
    {"MarkerOnlyAcrossCharacters", "[啊安]", "“", "]", ""},
    {"LoneLeadByteAtEnd", "[x\xB0", "[", "]", ""},
};

class TextBetweenTest : public testing::TestWithParam<BetweenCase> {};

TEST_P(TextBetweenTest, Cuts) {
  const BetweenCase& c = GetParam();
  EXPECT_EQ(TextBetween(c.text, c.startMarker, c.endMarker), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextBetweenTest, testing::ValuesIn(kBetweenCases), RowName());

}  // namespace
