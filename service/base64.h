#pragma once

#include <string>
#include <string_view>

// Standard Base64 (the RFC 4648 alphabet with "+" and "/", "=" padding) of the bytes.
std::string Base64Encode(std::string_view bytes);
