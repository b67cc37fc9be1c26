#pragma once

#include <cstdint>
#include <string_view>

// A leading decimal number of a text: full-width characters count as their ASCII forms, leading
// white space is skipped, a sign may come first, the digits run up to the first other character.
// A text without digits gives 0; a number beyond the range of int64 gives the nearest bound.
std::int64_t TextToNumber(std::string_view text);
