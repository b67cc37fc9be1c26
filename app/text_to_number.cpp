#include "app/text_to_number.h"

#include <limits>
#include <string>

#include "platform/codepage.h"

namespace {

// Full-width forms U+FF01-U+FF5E stand for ASCII 0x21-0x7E; the ideographic space for a space.
char16_t ToHalfWidth(char16_t c) {
  if (c >= u'\uFF01' && c <= u'\uFF5E') return static_cast<char16_t>(c - 0xFF01 + 0x21);
  if (c == u'\u3000') return u' ';
  return c;
}

bool IsWhiteSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

}  // namespace

std::int64_t TextToNumber(std::string_view text) {
  std::u16string wide = platform::ToUtf16(text, platform::CodePage::Ansi);
  for (char16_t& c : wide) c = ToHalfWidth(c);

  std::size_t i = 0;
  while (i < wide.size() && IsWhiteSpace(wide[i])) ++i;
  bool negative = false;
  if (i < wide.size() && (wide[i] == u'+' || wide[i] == u'-')) negative = wide[i++] == u'-';

  // Accumulated as a negative number, which reaches the lower bound too.
  constexpr std::int64_t kLowest = std::numeric_limits<std::int64_t>::min();
  std::int64_t value = 0;
  for (; i < wide.size() && wide[i] >= u'0' && wide[i] <= u'9'; ++i) {
    int digit = wide[i] - u'0';
    value = value < (kLowest + digit) / 10 ? kLowest : value * 10 - digit;
  }
  if (negative) return value;
  return value == kLowest ? std::numeric_limits<std::int64_t>::max() : -value;
}
