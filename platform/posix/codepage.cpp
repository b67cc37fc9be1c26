#include "platform/codepage.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <memory>

namespace platform {
namespace {

constexpr char16_t kDbcsDefaultUnicode = u'\u30FB';
constexpr char16_t kReplacement = u'\uFFFD';
constexpr char kDefaultChar = '?';

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Code page 936 as two tables built once from iconv's CP936 (which holds the euro sign at 0x80
// like Windows does). Lookups then cost no call into iconv and need no lock, which matters for
// the line lists, whose every value passes through here.
class Cp936Tables {
 public:
  static const Cp936Tables& Get() {
    static const Cp936Tables tables;
    return tables;
  }

  // 0 when the pair is no character.
  char16_t Decode(unsigned char lead, unsigned char trail) const {
    return decode_[(lead - 0x80) * 256 + trail];
  }
  char16_t DecodeSingle(unsigned char byte) const { return byte < 0x80 ? byte : decode_[byte - 0x80]; }

  // The GBK bytes of a character (one byte when below 0x100), 0 when the code page lacks it.
  std::uint16_t Encode(char16_t c) const { return encode_[c]; }

 private:
  Cp936Tables() : decode_(std::make_unique<char16_t[]>(128 * 256)), encode_(std::make_unique<std::uint16_t[]>(65536)) {
    iconv_t cd = iconv_open("UTF-16LE", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1)) return;  // no converter: every non-ASCII byte is invalid
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
      Store(cd, lead, 0, 1);  // the lead as a character of its own (0x80, the euro sign)
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail) Store(cd, lead, trail, 2);
    }
    iconv_close(cd);
    for (unsigned c = 0; c < 0x80; ++c) encode_[c] = static_cast<std::uint16_t>(c);
  }

  void Store(iconv_t cd, unsigned lead, unsigned trail, std::size_t length) {
    char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    char out[8];
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = length;
    std::size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
        sizeof out - outLeft != 2)
      return;
    char16_t c = static_cast<char16_t>(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8);
    if (length == 1) {
      decode_[lead - 0x80] = c;
      encode_[c] = static_cast<std::uint16_t>(lead);
      return;
    }
    decode_[(lead - 0x80) * 256 + trail] = c;
    if (encode_[c] == 0) encode_[c] = static_cast<std::uint16_t>(lead << 8 | trail);
  }

  // Row 0 (lead 0x80) holds the single bytes 0x80-0xFF at [byte - 0x80]; lead 0x80 itself is
  // never a lead byte in 936, so its row is free for that.
  std::unique_ptr<char16_t[]> decode_;
  std::unique_ptr<std::uint16_t[]> encode_;
};

std::u16string Cp936ToUtf16(std::string_view bytes) {
  const Cp936Tables& tables = Cp936Tables::Get();
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      out.push_back(byte);
      continue;
    }
    if (char16_t single = tables.DecodeSingle(byte)) {
      out.push_back(single);
      continue;
    }
    // A lead byte: the pair is one character, or one unknown character when the trail byte is in
    // the trail range; otherwise the lead alone is unknown and the next byte starts afresh.
    if (i + 1 < bytes.size()) {
      auto trail = static_cast<unsigned char>(bytes[i + 1]);
      if (trail >= 0x40 && trail <= 0xFE && trail != 0x7F) {
        char16_t pair = tables.Decode(byte, trail);
        out.push_back(pair ? pair : kDbcsDefaultUnicode);
        ++i;
        continue;
      }
    }
    out.push_back(kDbcsDefaultUnicode);
  }
  return out;
}

// Appends a character in code page 936: '?' when the code page lacks it, as for every character beyond
// U+FFFF and an unpaired surrogate.
void AppendCp936(std::string& out, char32_t c, const Cp936Tables& tables) {
  bool lacking = c > 0xFFFF || IsHighSurrogate(c) || IsLowSurrogate(c);
  std::uint16_t code = lacking ? 0 : tables.Encode(static_cast<char16_t>(c));
  if (code == 0 && c != 0) {
    out.push_back(kDefaultChar);
  } else if (code > 0xFF) {
    out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
  } else {
    out.push_back(static_cast<char>(code));
  }
}

std::string Utf16ToCp936(std::u16string_view text) {
  const Cp936Tables& tables = Cp936Tables::Get();
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    AppendCp936(out, c, tables);
  }
  return out;
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
  } else {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  }
}

// Decodes the character that starts at bytes[i] and steps i past it, as Windows does since Vista:
// each maximal ill-formed subsequence is one U+FFFD, overlong forms and encoded surrogates included.
char32_t DecodeUtf8(std::string_view bytes, std::size_t& i) {
  auto b0 = static_cast<unsigned char>(bytes[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int length = b0 >= 0xC2 && b0 <= 0xDF ? 2 : b0 >= 0xE0 && b0 <= 0xEF ? 3 : b0 >= 0xF0 && b0 <= 0xF4 ? 4 : 0;
  if (length == 0) {
    ++i;
    return kReplacement;
  }
  // The second byte's range depends on the first; it rules out overlongs, surrogates and
  // code points above U+10FFFF.
  unsigned char low = b0 == 0xE0 ? 0xA0 : b0 == 0xF0 ? 0x90 : 0x80;
  unsigned char high = b0 == 0xED ? 0x9F : b0 == 0xF4 ? 0x8F : 0xBF;
  char32_t c = b0 & (0xFF >> (length + 1));
  int taken = 1;
  for (; taken < length && i + taken < bytes.size(); ++taken) {
    auto b = static_cast<unsigned char>(bytes[i + taken]);
    if (b < (taken == 1 ? low : 0x80) || b > (taken == 1 ? high : 0xBF)) break;
    c = c << 6 | (b & 0x3F);
  }
  i += taken;
  return taken == length ? c : kReplacement;
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) AppendUtf16(out, DecodeUtf8(bytes, i));
  return out;
}

// Straight from UTF-8 to code page 936, with no UTF-16 text in between: every text value of a line
// list passes through here. Never longer than the UTF-8, which takes at least as many bytes for
// each character.
std::string Utf8ToCp936(std::string_view bytes) {
  const Cp936Tables& tables = Cp936Tables::Get();
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) AppendCp936(out, DecodeUtf8(bytes, i), tables);
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = kReplacement;
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | c >> 6));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | c >> 12));
      out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | c >> 18));
      out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

}  // namespace

std::u16string ToUtf16(std::string_view bytes, CodePage codePage) {
  return codePage == CodePage::Utf8 ? Utf8ToUtf16(bytes) : Cp936ToUtf16(bytes);
}

std::string FromUtf16(std::u16string_view text, CodePage codePage) {
  return codePage == CodePage::Utf8 ? Utf16ToUtf8(text) : Utf16ToCp936(text);
}

std::string AnsiToUtf8(std::string_view text) { return Utf16ToUtf8(Cp936ToUtf16(text)); }

std::string Utf8ToAnsi(std::string_view text) { return Utf8ToCp936(text); }

}  // namespace platform
