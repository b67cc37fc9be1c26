#include "app/text_to_number.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(TextToNumber, TakesTheLeadingDecimalNumber) {
  struct {
    const char* text;
    std::int64_t number;
  } cases[] = {
      {"", 0},
      {"abc", 0},
      {"30", 30},
      {"  15s", 15},
      {"\t\r\n 9", 9},
      {"-20", -20},
      {"+7", 7},
      {"+-7", 0},
      {"- 7", 0},
      {"1.9", 1},
      {"0x10", 0},
      {"00042", 42},
      {"２０", 20},        // full-width digits
      {"－１５", -15},     // full-width sign
      {"　 ３０秒", 30},   // ideographic space before the digits
      {"十五", 0},
      {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
      {"9223372036854775808", std::numeric_limits<std::int64_t>::max()},
      {"99999999999999999999999", std::numeric_limits<std::int64_t>::max()},
      {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
      {"-99999999999999999999999", std::numeric_limits<std::int64_t>::min()},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToNumber(c.text), c.number) << c.text;
}

}  // namespace
