#pragma once

#include <string>
#include <string_view>
#include <vector>

// The words of a line search and how a text contains one. Texts are GBK bytes, so a match may
// only start where a character starts.

// Splits at each single space. Two adjacent spaces give an empty word between them and a leading
// space an empty first word; a trailing space adds nothing; the empty text gives one empty word.
std::vector<std::string> SplitWords(std::string_view text);

// Whether the word occurs in the text byte for byte, case-sensitive, starting on a character
// boundary: a match never starts on the second byte of a double-byte character. The empty word is
// contained in every text but the empty one.
bool ContainsWord(std::string_view text, std::string_view word);
