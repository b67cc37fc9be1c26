#pragma once

#include <string>
#include <string_view>

namespace platform {

// The code pages the client converts between. Ansi is the system code page its texts are in (936,
// GBK, on the systems it serves); Oem is the console code page that names of network connections
// come in (936 as well on those systems); Utf8 is the encoding of some service answers.
enum class CodePage { Ansi, Oem, Utf8 };

// Bytes in the code page to UTF-16. Bytes that form no character of the code page become the
// code page's default Unicode character (U+30FB for 936, U+FFFD for UTF-8); nothing is dropped.
std::u16string ToUtf16(std::string_view bytes, CodePage codePage);

// UTF-16 to bytes in the code page. A character the code page cannot hold, an unpaired surrogate
// included, becomes the code page's default character ('?' for 936; U+FFFD for UTF-8).
std::string FromUtf16(std::u16string_view text, CodePage codePage);

// The conversions between the system's texts and UTF-8: what the conversion through UTF-16 above
// gives, unknown bytes and characters included.
std::string AnsiToUtf8(std::string_view text);
std::string Utf8ToAnsi(std::string_view text);

}  // namespace platform
