#include "lines/line_words.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::string>;

TEST(SplitWords, SplitsAtEachSingleSpace) {
  struct {
    const char* text;
    Words words;
  } cases[] = {
      {"北京 上海", {"北京", "上海"}},
      {"a b c", {"a", "b", "c"}},
      {"北京", {"北京"}},
      // The empty text is one empty word.
      {"", {""}},
      // Two adjacent spaces, or a leading one, give an empty word.
      {"北京  上海", {"北京", "", "上海"}},
      {" 北京", {"", "北京"}},
      {"  ", {"", ""}},
      // A trailing space adds nothing.
      {"北京 ", {"北京"}},
      {" ", {""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitWords(c.text), c.words) << '"' << c.text << '"';
}

TEST(ContainsWord, MatchesOnlyFromACharacterBoundary) {
  struct {
    const char* text;
    const char* word;
    bool contained;
  } cases[] = {
      {"北京", "北京", true},
      {"北京", "京", true},
      {"广东深圳", "深圳", true},
      // The trailing byte of 北 and the leading byte of 京 spell 本; of 上 and 海, 虾.
      {"北京", "本", false},
      {"上海", "虾", false},
      {"日本", "本", true},
      // A match that starts on a trailing byte is passed over, and one later on is still found.
      {"北京本溪", "本", true},
      // 乤 is 0x81 'a': its trailing byte is no letter a.
      {"乤", "a", false},
      {"乤a", "a", true},
      {"abc", "ABC", false},
      {"ABC", "abc", false},
      {"ABC", "ABC", true},
      {"北京", "北京市", false},
      {"北京", "", true},
      {"", "", false},
      {"", "北", false},
  };
  for (const auto& c : cases) EXPECT_EQ(ContainsWord(c.text, c.word), c.contained) << c.text << " / " << c.word;
}

TEST(ContainsWord, ALeadByteAtTheEndEndsTheWalk) {
  const std::string text = std::string("a") + '\xB1';
  EXPECT_FALSE(ContainsWord(text, "\xB1\xB1"));
  EXPECT_TRUE(ContainsWord(text, "\xB1"));
  EXPECT_FALSE(ContainsWord(std::string("\xB1") + 'a', "a"));
}

}  // namespace
