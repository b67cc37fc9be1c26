#pragma once

#include <string>
#include <string_view>

namespace platform {

// A private-profile ("INI") file read and written as the Windows profile-string functions do.
// Section and key names match without regard to ASCII case; the first matching section and the
// first matching key in it win.

// The value of the key, without surrounding blanks and without one pair of enclosing single or
// double quotation marks; the empty text when the file, the section or the key is missing.
std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key);

// Sets the key to the value at once: replaces the key's line in place, or adds the key at the end
// of its section, or adds the section at the end of the file, creating the file when needed.
// False when nothing was written.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace platform
