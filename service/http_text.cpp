#include "service/http_text.h"

namespace {

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A byte of 0x80 or above starts a double-byte character that takes the next byte along.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size() ? 2 : 1;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (FoldAscii(text[i]) != FoldAscii(word[i])) return false;
  }
  return true;
}

// The first character boundary at or after `from` where the word starts, or npos.
std::size_t FindIgnoringCase(std::string_view text, std::string_view word, std::size_t from) {
  for (std::size_t at = from; at + word.size() <= text.size(); at += CharacterLength(text, at)) {
    if (StartsWithIgnoringCase(text.substr(at), word)) return at;
  }
  return std::string_view::npos;
}

}  // namespace

bool ContainsIgnoringCase(std::string_view text, std::string_view word) {
  return FindIgnoringCase(text, word, 0) != std::string_view::npos;
}

std::string RemoveIgnoringCase(std::string_view text, std::string_view word) {
  if (word.empty()) return std::string(text);
  std::string out;
  std::size_t from = 0;
  for (std::size_t at; (at = FindIgnoringCase(text, word, from)) != std::string_view::npos; from = at + word.size()) {
    out += text.substr(from, at - from);
  }
  out += text.substr(from);
  return out;
}

std::string_view TrimBlanks(std::string_view text) {
  std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

std::vector<std::string_view> SplitText(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> pieces;
  if (separator.empty()) {
    if (!text.empty()) pieces.push_back(text);
    return pieces;
  }
  for (std::size_t from = 0; from <= text.size();) {
    std::size_t at = text.find(separator, from);
    if (at == std::string_view::npos) at = text.size();
    if (at > from) pieces.push_back(text.substr(from, at - from));
    from = at + separator.size();
  }
  return pieces;
}
