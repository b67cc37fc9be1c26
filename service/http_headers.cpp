#include "service/http_headers.h"

#include "service/http_text.h"

namespace {

// Appends CR LF and the header unless the text already holds its name and colon in any case.
void AppendUnlessPresent(std::string& headers, std::string_view nameWithColon, std::string_view value) {
  if (ContainsIgnoringCase(headers, nameWithColon)) return;
  headers += "\r\n";
  headers += nameWithColon;
  headers += ' ';
  headers += value;
}

HeaderField SplitHeaderLine(std::string_view line) {
  std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return {};
  return {std::string(TrimBlanks(line.substr(0, colon))), std::string(TrimBlanks(line.substr(colon + 1)))};
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string CompleteRequestHeaders(std::string_view headers, std::string_view url, bool isPost) {
  std::string completed(headers);
  AppendUnlessPresent(completed, "Accept:", "*/*");
  AppendUnlessPresent(completed, "Referer:", url);
  AppendUnlessPresent(completed, "Accept-Language:", "zh-cn");
  AppendUnlessPresent(completed, "User-Agent:", "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
  if (isPost) AppendUnlessPresent(completed, "Content-Type:", "application/x-www-form-urlencoded");
  return completed;
}

std::string NormaliseHeaderNames(std::string_view headers) {
  std::string normalised;
  for (std::string_view line : SplitText(headers, "\r\n")) {
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    if (!normalised.empty()) normalised += "\r\n";
    std::string name(line.substr(0, colon));
    for (std::size_t i = 0; i < name.size(); ++i) {
      if (i == 0 || name[i - 1] == '-') name[i] = UpperAscii(name[i]);
    }
    normalised += name;
    normalised += line.substr(colon);
  }
  return normalised;
}

std::vector<HeaderField> SplitRequestHeaders(std::string_view headers) {
  if (headers.find("\r\n") == std::string_view::npos) return {SplitHeaderLine(headers)};
  std::vector<HeaderField> fields;
  for (std::string_view line : SplitText(headers, "\r\n")) {
    HeaderField field = SplitHeaderLine(line);
    if (field.name == "Connection" && field.value == "keep-alive") continue;
    fields.push_back(std::move(field));
  }
  return fields;
}
