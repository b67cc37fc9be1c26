#pragma once

#include <string>
#include <string_view>

// Cookie texts of HttpRequest: name=value items separated by "; ".

// The cookies an answer sets, from its header lines (separated by CR LF): for every line named
// exactly "Set-Cookie" before its first ": ", the trimmed value up to its first ";"; joined by "; ".
std::string ExtractResponseCookies(std::string_view responseHeaders);

// The received cookies, followed by every sent one whose name (the trimmed text before its "=") no
// received cookie has; cookies whose value is "deleted" are left out, and so are repeated items.
std::string MergeCookies(std::string_view sent, std::string_view received);

// The "; "-separated items with each repeated one left out after its first occurrence.
std::string RemoveDuplicateItems(std::string_view items);
