#include "server/query_text.h"

#include <algorithm>
#include <vector>

namespace line_service {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecode(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// Where the parameter "name=" begins: at the start of the query or right after an "&".
std::size_t FindParameter(std::string_view query, std::string_view name) {
  const std::string key = std::string(name) + "=";
  if (query.starts_with(key)) return 0;
  const std::size_t at = query.find("&" + key);
  return at == std::string_view::npos ? at : at + 1;
}

struct Found {
  std::size_t start;
  std::string_view name;
};

}  // namespace

QueryValues ReadQuery(std::string_view query, std::initializer_list<std::string_view> names) {
  std::vector<Found> found;
  for (std::string_view name : names) {
    const std::size_t start = FindParameter(query, name);
    if (start != std::string_view::npos) found.push_back({start, name});
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.start < b.start; });
  QueryValues values;
  for (std::size_t i = 0; i < found.size(); ++i) {
    const std::size_t begin = found[i].start + found[i].name.size() + 1;
    // The "&" before the next parameter ends this value.
    const std::size_t end = i + 1 < found.size() ? found[i + 1].start - 1 : query.size();
    values.emplace(found[i].name, PercentDecode(query.substr(begin, end - begin)));
  }
  return values;
}

}  // namespace line_service
