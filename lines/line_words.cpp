#include "lines/line_words.h"

namespace {

bool IsLeadByte(char byte) {
  auto value = static_cast<unsigned char>(byte);
  return value >= 0x81 && value <= 0xFE;
}

}  // namespace

std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  std::size_t start = 0;
  for (;;) {
    std::size_t separator = text.find(' ', start);
    if (separator == std::string_view::npos) {
      words.emplace_back(text.substr(start));
      return words;
    }
    words.emplace_back(text.substr(start, separator - start));
    start = separator + 1;
    if (start == text.size()) return words;
  }
}

// The fast byte search finds candidates; a walk over the characters, which never goes back, tells
// whether a candidate starts a character. A candidate on a trailing byte lets the search go on
// after that character, so the whole text is walked at most once.
bool ContainsWord(std::string_view text, std::string_view word) {
  if (word.empty()) return !text.empty();
  std::size_t boundary = 0;
  for (std::size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, boundary)) {
    while (boundary < at) boundary += IsLeadByte(text[boundary]) ? 2 : 1;
    if (boundary == at) return true;
  }
  return false;
}
