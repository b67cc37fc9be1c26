#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text helpers for header and cookie texts. Letters match in either case only in ASCII; searches
// step over double-byte characters whole, so a word never matches from a GBK trail byte.

bool ContainsIgnoringCase(std::string_view text, std::string_view word);

// The text with every occurrence of the word, in any case, taken out.
std::string RemoveIgnoringCase(std::string_view text, std::string_view word);

// The text without leading and trailing spaces and tabs.
std::string_view TrimBlanks(std::string_view text);

// The non-empty pieces of the text between occurrences of the separator. The separator
// is sought byte by byte: made of characters below 0x40, as the CR LF and "; " it is used with are,
// it never matches inside a GBK character.
std::vector<std::string_view> SplitText(std::string_view text, std::string_view separator);
