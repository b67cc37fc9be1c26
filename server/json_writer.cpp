#include "server/json_writer.h"

#include <cstdio>

namespace line_service {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendEscape(std::string& out, unsigned unit) {
  char escape[7];
  std::snprintf(escape, sizeof escape, "\\u%04x", unit);
  out += escape;
}

// Decodes one UTF-8 sequence at text[at], advancing at; a malformed or overlong sequence, or a
// surrogate, gives U+FFFD and consumes one byte.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  int length = 0;
  char32_t point = 0;
  char32_t minimum = 0;
  if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, point = lead & 0x07, minimum = 0x10000;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, point = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, point = lead & 0x1F, minimum = 0x80;
  } else {
    ++at;
    return kReplacement;
  }
  if (at + length > text.size()) {
    ++at;
    return kReplacement;
  }
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) {
      ++at;
      return kReplacement;
    }
    point = (point << 6) | (next & 0x3F);
  }
  if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
    ++at;
    return kReplacement;
  }
  at += length;
  return point;
}

}  // namespace

std::string JsonQuote(std::string_view utf8) {
  std::string out = "\"";
  std::size_t at = 0;
  while (at < utf8.size()) {
    const auto byte = static_cast<unsigned char>(utf8[at]);
    if (byte < 0x80) {
      ++at;
      switch (byte) {
        case '"':
          out += "\\\"";
          break;
        case '\\':
          out += "\\\\";
          break;
        case '\b':
          out += "\\b";
          break;
        case '\f':
          out += "\\f";
          break;
        case '\n':
          out += "\\n";
          break;
        case '\r':
          out += "\\r";
          break;
        case '\t':
          out += "\\t";
          break;
        default:
          if (byte < 0x20 || byte == 0x7F)
            AppendEscape(out, byte);
          else
            out += static_cast<char>(byte);
      }
      continue;
    }
    const char32_t point = NextCodePoint(utf8, at);
    if (point >= 0x10000) {
      const char32_t offset = point - 0x10000;
      AppendEscape(out, 0xD800 + (offset >> 10));
      AppendEscape(out, 0xDC00 + (offset & 0x3FF));
    } else {
      AppendEscape(out, point);
    }
  }
  out += '"';
  return out;
}

void JsonWriter::BeforeValue() {
  if (afterName_) {
    afterName_ = false;
    return;
  }
  if (!hasItems_.empty()) {
    if (hasItems_.back()) text_ += ", ";
    hasItems_.back() = true;
  }
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  text_ += bracket;
  hasItems_.push_back(false);
}

void JsonWriter::Close(char bracket) {
  hasItems_.pop_back();
  text_ += bracket;
}

void JsonWriter::BeginObject() { Open('{'); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray() { Open('['); }
void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::Name(std::string_view name) {
  BeforeValue();
  text_ += JsonQuote(name);
  text_ += ": ";
  afterName_ = true;
}

void JsonWriter::Text(std::string_view utf8) {
  BeforeValue();
  text_ += JsonQuote(utf8);
}

void JsonWriter::Number(std::int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
}

}  // namespace line_service
