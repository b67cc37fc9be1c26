#include "service/text_decoding.h"

#include <optional>

#include "platform/codepage.h"

namespace {

// Marks that carry a CR LF pair and an apostrophe through the string-literal reading, where neither
// may stand raw. The answer's own "’" and "{$}" share their fate on the way out.
constexpr std::string_view kLineBreakMark = "{$}";
constexpr std::string_view kApostropheMark = "’";  // GBK A1 AF

// A byte of 0x80 or above starts a double-byte character that takes the next byte along; a lead byte
// at the very end stands alone.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size() ? 2 : 1;
}

// The first position at or after `from` (a character boundary) where `pattern` starts on a character
// boundary, or npos.
std::size_t FindWhole(std::string_view text, std::string_view pattern, std::size_t from) {
  for (std::size_t at = from; at + pattern.size() <= text.size(); at += CharacterLength(text, at)) {
    if (text.substr(at).starts_with(pattern)) return at;
  }
  return std::string_view::npos;
}

// Replaces every occurrence of a non-empty pattern that starts on a character boundary. Plain byte
// replacement would also hit a pattern made of one character's trail byte and the next character's
// lead byte ("啊" + "疈" is B0 A1 AF 40, which holds "’") or a trail byte 5C or 7B followed by "u" or
// "$}", and break both characters.
std::string ReplaceWhole(std::string_view text, std::string_view pattern, std::string_view replacement) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    if (text.substr(at).starts_with(pattern)) {
      out += replacement;
      at += pattern.size();
      continue;
    }
    std::size_t length = CharacterLength(text, at);
    out += text.substr(at, length);
    at += length;
  }
  return out;
}

// The single-letter escapes and the characters they stand for, in the same order.
constexpr std::u16string_view kEscapeLetters = u"btnvfr";
constexpr std::u16string_view kEscapedCharacters = u"\b\t\n\v\f\r";

bool IsLineTerminator(char16_t c) { return c == u'\n' || c == u'\r' || c == u'\u2028' || c == u'\u2029'; }

bool IsOctalDigit(char16_t c) { return c >= u'0' && c <= u'7'; }

int HexDigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The value of exactly `count` hex digits at `at`, or -1 when fewer are there.
int ReadHex(std::u16string_view text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return -1;
  int value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    int digit = HexDigitValue(text[at + i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

// The value of `body` read between the quotes of a single-quoted JavaScript string literal, or nothing
// when it could not stand there: a raw line terminator, a raw apostrophe (it would close the literal,
// and what follows it would be code) or a trailing single backslash (it would escape the closing quote).
std::optional<std::u16string> ReadStringLiteralBody(std::u16string_view body) {
  std::u16string out;
  out.reserve(body.size());
  for (std::size_t at = 0; at < body.size();) {
    char16_t c = body[at++];
    if (IsLineTerminator(c) || c == u'\'') return std::nullopt;
    if (c != u'\\') {
      out.push_back(c);
      continue;
    }
    if (at == body.size()) return std::nullopt;
    c = body[at++];
    if (IsLineTerminator(c)) return std::nullopt;
    if (std::size_t letter = kEscapeLetters.find(c); letter != std::u16string_view::npos) {
      out.push_back(kEscapedCharacters[letter]);
    } else if (c == u'x' || c == u'u') {
      std::size_t digits = c == u'x' ? 2 : 4;
      int value = ReadHex(body, at, digits);
      if (value < 0) {
        out.push_back(c);  // no escape after all: the letter itself, the text after it as it is
      } else {
        out.push_back(static_cast<char16_t>(value));
        at += digits;
      }
    } else if (IsOctalDigit(c)) {
      // Legacy octal escapes stay below 256: three digits at most after 0-3, two after 4-7.
      std::size_t maxDigits = c <= u'3' ? 3 : 2;
      int value = c - u'0';
      for (std::size_t n = 1; n < maxDigits && at < body.size() && IsOctalDigit(body[at]); ++n) {
        value = value * 8 + (body[at++] - u'0');
      }
      out.push_back(static_cast<char16_t>(value));
    } else {
      out.push_back(c);  // \" \' \\ \/ and any other character stand for themselves
    }
  }
  return out;
}

// JavaScript's unescape: "%u" and four hex digits give that code unit, "%" and two hex digits the
// Latin-1 character, any other "%" stays.
std::u16string Unescape(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == u'%') {
      if (int unit = ReadHex(text, at + 2, 4); unit >= 0 && text[at + 1] == u'u') {
        out.push_back(static_cast<char16_t>(unit));
        at += 5;
        continue;
      }
      if (int code = ReadHex(text, at + 1, 2); code >= 0) {
        out.push_back(static_cast<char16_t>(code));
        at += 2;
        continue;
      }
    }
    out.push_back(text[at]);
  }
  return out;
}

// unescape('<prepared>') evaluated without a script engine; the empty text when the literal is not
// valid.
std::string ResolveEscapes(std::string_view prepared) {
  std::optional<std::u16string> value = ReadStringLiteralBody(platform::ToUtf16(prepared, platform::CodePage::Ansi));
  if (!value) return {};
  return platform::FromUtf16(Unescape(*value), platform::CodePage::Ansi);
}

}  // namespace

std::string TextBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker) {
  std::size_t start = FindWhole(text, startMarker, 0);
  if (start == std::string_view::npos) return {};
  std::size_t valueStart = start + startMarker.size();
  // The end marker is sought from the first character boundary after the start marker, which is its
  // end unless the marker itself ends in a lone lead byte.
  std::size_t from = start;
  while (from < valueStart) from += CharacterLength(text, from);
  std::size_t end = FindWhole(text, endMarker, from);
  if (end == std::string_view::npos) return {};
  return std::string(text.substr(valueStart, end - valueStart));
}

std::string DecodeUnicodeEscapes(std::string_view text) {
  std::string prepared = ReplaceWhole(text, "\r\n", kLineBreakMark);
  if (prepared.starts_with('\r')) prepared.erase(0, 1);
  // JSON's \uXXXX is left to unescape as %uXXXX; this also hits the "\u" of an escaped backslash
  // followed by "u", so "\\u0041" decodes to "A" as well.
  prepared = ReplaceWhole(prepared, "\\u", "%u");
  prepared = ReplaceWhole(prepared, "'", kApostropheMark);

  std::string decoded = ResolveEscapes(prepared);
  if (decoded.empty()) decoded = ReadBytesAsUnicode(prepared);
  decoded = ReplaceWhole(decoded, kApostropheMark, "'");
  return ReplaceWhole(decoded, kLineBreakMark, "\r\n");
}

std::string ReadBytesAsUnicode(std::string_view bytes) {
  std::u16string wide;
  wide.reserve(bytes.size() / 2);
  // An odd trailing byte is half a code unit with nothing to pair with; it is dropped.
  for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
    wide.push_back(
        static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8));
  }
  return platform::FromUtf16(wide, platform::CodePage::Ansi);
}
