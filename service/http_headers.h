#pragma once

#include <string>
#include <string_view>
#include <vector>

// The extra request headers of HttpRequest: a text of "Name: value" lines separated by CR LF.

struct HeaderField {
  std::string name;
  std::string value;
};

// The text with the headers every request carries appended, each as CR LF and its line, and each
// only when the text does not yet hold its name and colon in any case: "Accept: */*", "Referer: "
// and the address, "Accept-Language: zh-cn", the browser's User-Agent and, for a POST,
// "Content-Type: application/x-www-form-urlencoded".
std::string CompleteRequestHeaders(std::string_view headers, std::string_view url, bool isPost);

// The header lines with the first character of each "-"-separated part of every name in upper case
// ("x-API-key: 1" becomes "X-API-Key: 1"), the rest of each line as it was. Lines without a colon
// are dropped; the lines are joined with CR LF, with none at the end.
std::string NormaliseHeaderNames(std::string_view headers);

// The headers to set: the whole text as one header when it holds no CR LF, else one for each
// non-empty line but "Connection: keep-alive", which is the transport's business. The name is the
// trimmed text before the first colon, the value the trimmed text after it; both are empty when the
// line has no colon.
std::vector<HeaderField> SplitRequestHeaders(std::string_view headers);
