#pragma once

#include <string>
#include <string_view>

// The text after the first occurrence of startMarker up to the next occurrence of endMarker after it;
// the empty text when either is missing. Both searches move through the text a whole character at a
// time (a byte of 0x80 or above takes the byte after it along), so a marker never matches from the
// middle of a GBK character. Comparison is exact.
std::string TextBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker);

// Turns a JSON answer into local (GBK) text: the backslash escapes of a JavaScript string and the
// %uXXXX / %XX escapes of JavaScript's unescape are resolved; characters GBK lacks become '?'. CR LF
// pairs survive, and a right single quotation mark comes out as an apostrophe like the apostrophe
// itself. A text that cannot stand as the body of a single-quoted JavaScript string (a lone CR or LF,
// an unescaped apostrophe, a trailing single backslash) comes out instead as ReadBytesAsUnicode of the
// prepared bytes, which is unreadable but never fails.
std::string DecodeUnicodeEscapes(std::string_view text);

// The bytes read as UTF-16LE text and converted to GBK ('?' for what GBK lacks); an odd trailing byte
// is dropped.
std::string ReadBytesAsUnicode(std::string_view bytes);
