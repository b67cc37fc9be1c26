#include "platform/codepage.h"

#include <gtest/gtest.h>

using platform::CodePage;

namespace {

struct AnsiCase {
  const char* name;
  std::string bytes;
  std::u16string wide;
};

class AnsiDecoding : public testing::TestWithParam<AnsiCase> {};

TEST_P(AnsiDecoding, DecodesAsCodePage936Does) {
  EXPECT_EQ(platform::ToUtf16(GetParam().bytes, CodePage::Ansi), GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnsiDecoding,
    testing::Values(AnsiCase{"Ascii", "PPTP 1", u"PPTP 1"},
                    AnsiCase{"Chinese", "\xC1\xAC\xBD\xD3\xB3\xC9\xB9\xA6", u"连接成功"},
                    AnsiCase{"EuroAtSingleByte80", "\x80", u"\u20AC"},
                    AnsiCase{"FullWidthForms", "\xA3\xB1\xA3\xAD\xA1\xA1", u"１－\u3000"},
                    AnsiCase{"TrailByteInAsciiRange", "\x81\x40", u"丂"},
                    AnsiCase{"LeadByteAtEnd", "A\xC1", u"A\u30FB"},
                    AnsiCase{"LeadByteBeforeNonTrail", "\xC1\x20x", u"\u30FB x"},
                    AnsiCase{"ByteFF", "\xFF", u"\u30FB"},
                    AnsiCase{"ZeroByteKept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)}),
    [](const auto& info) { return info.param.name; });

TEST(AnsiEncoding, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(platform::FromUtf16(u"连接成功", CodePage::Ansi), "\xC1\xAC\xBD\xD3\xB3\xC9\xB9\xA6");
  EXPECT_EQ(platform::FromUtf16(u"€", CodePage::Ansi), "\x80");
  EXPECT_EQ(platform::FromUtf16(u"a\u0E01b", CodePage::Ansi), "a?b");  // Thai is not in GBK
  EXPECT_EQ(platform::FromUtf16(u"\U0001F600", CodePage::Ansi), "?");  // one character, one mark
  EXPECT_EQ(platform::FromUtf16(std::u16string(1, u'\xD800') + u"x", CodePage::Ansi), "?x");
}

TEST(AnsiEncoding, EveryGbkCharacterRoundTrips) {
  // Every pair that decodes to a character encodes back to the same two bytes.
  int characters = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      std::u16string wide = platform::ToUtf16(pair, CodePage::Ansi);
      ASSERT_EQ(wide.size(), 1u);
      if (wide[0] == u'\u30FB' && pair != "\xA1\xA4") continue;
      ++characters;
      ASSERT_EQ(platform::FromUtf16(wide, CodePage::Ansi), pair) << std::hex << lead << " " << trail;
    }
  }
  EXPECT_GT(characters, 21000);  // GBK holds 21,886 characters
}

TEST(Utf8, ConvertsWellFormedText) {
  EXPECT_EQ(platform::ToUtf16("中国-广东-深圳", CodePage::Utf8), u"中国-广东-深圳");
  EXPECT_EQ(platform::ToUtf16("\xF0\x9F\x98\x80", CodePage::Utf8), u"\U0001F600");
  EXPECT_EQ(platform::FromUtf16(u"\U0001F600é", CodePage::Utf8), "\xF0\x9F\x98\x80\xC3\xA9");
}

TEST(Utf8, IllFormedSequencesBecomeOneReplacementEach) {
  struct {
    std::string bytes;
    std::u16string wide;
  } cases[] = {
      {"a\x80z", u"a\uFFFDz"},            // stray continuation byte
      {"\xC0\xAF", u"\uFFFD\uFFFD"},      // overlong form of '/'
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
      {"\xE4\xB8", u"\uFFFD"},            // truncated at the end
      {"\xE4\xB8x", u"\uFFFDx"},          // truncated in the middle
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(platform::ToUtf16(c.bytes, CodePage::Utf8), c.wide);
  EXPECT_EQ(platform::FromUtf16(std::u16string(1, u'\xDC00'), CodePage::Utf8), "\xEF\xBF\xBD");
}

TEST(AnsiUtf8, ShorthandsConvertBetweenTheSystemTextsAndUtf8) {
  EXPECT_EQ(platform::Utf8ToAnsi("中国-广东-深圳"), "\xD6\xD0\xB9\xFA-\xB9\xE3\xB6\xAB-\xC9\xEE\xDB\xDA");
  EXPECT_EQ(platform::AnsiToUtf8("\xD6\xD0\xB9\xFA"), "中国");
  EXPECT_EQ(platform::Utf8ToAnsi("\xE0\xB8\x81"), "?");
}

TEST(AnsiUtf8, Utf8ToAnsiGivesWhatTheConversionThroughUtf16Gives) {
  auto throughUtf16 = [](std::string_view utf8) {
    return platform::FromUtf16(platform::ToUtf16(utf8, CodePage::Utf8), CodePage::Ansi);
  };
  // Every character of the basic plane, alone and between others.
  for (char32_t c = 0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string utf8 = "a" + platform::FromUtf16(std::u16string(1, static_cast<char16_t>(c)), CodePage::Utf8) + "b";
    ASSERT_EQ(platform::Utf8ToAnsi(utf8), throughUtf16(utf8)) << std::hex << static_cast<unsigned>(c);
  }
  struct {
    std::string utf8;
    std::string ansi;
  } cases[] = {
      {"", ""},
      {"\xE5\xB9\xBF\xE4\xB8\x9C-\xE2\x82\xAC", "\xB9\xE3\xB6\xAB-\x80"},
      {"\xF0\x9F\x98\x80x", "?x"},                       // one character beyond U+FFFF, one mark
      {"a\x80z", "a?z"},                                 // a stray continuation byte
      {"\xED\xA0\x80", "???"},                           // an encoded surrogate
      {"\xE4\xB8", "?"},                                 // cut short at the end
      {"\xC0\xAF\xE4\xB8x", "???x"},                     // overlong, then cut short before ASCII
      {"\xF4\x90\x80\x80", "????"},                      // beyond U+10FFFF
      {std::string("a\0b", 3), std::string("a\0b", 3)},  // a zero byte kept
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::Utf8ToAnsi(c.utf8), c.ansi);
    EXPECT_EQ(platform::Utf8ToAnsi(c.utf8), throughUtf16(c.utf8));
  }
}

}  // namespace
