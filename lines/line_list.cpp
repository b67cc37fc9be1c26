#include "lines/line_list.h"

#include <unordered_map>

#include "service/json_document.h"

namespace {

std::string LowerAscii(std::string text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x80) {
      ++i;  // a double-byte character stays as it is, its trail byte included
    } else if (byte >= 'A' && byte <= 'Z') {
      text[i] = static_cast<char>(byte - 'A' + 'a');
    }
  }
  return text;
}

}  // namespace

LineRecord ReadLineRecord(const JsonDocument& document, const std::string& prefix, std::string_view mode) {
  LineRecord line;
  line.province = document.GetText(prefix + "province");
  line.city = document.GetText(prefix + "city");
  line.domain = LowerAscii(document.GetText(prefix + "domain"));
  line.isp = document.GetText(prefix + "isp");
  line.status = document.GetInt(prefix + "status");
  if (mode == kStaticLineMode) line.ip = document.GetText(prefix + "ip");
  return line;
}

std::optional<std::size_t> FindProvinceGroup(const std::vector<ProvinceGroup>& groups, std::string_view name) {
  for (std::size_t i = 0; i < groups.size(); ++i) {
    if (groups[i].name == name) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> FindLineByDomain(const std::vector<LineRecord>& lines, std::string_view domain) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].domain == domain) return i;
  }
  return std::nullopt;
}

ParsedLineList ParseLineList(std::string_view body, std::string_view mode) {
  ParsedLineList result;
  JsonDocument document;
  if (!document.Parse(body)) return result;
  int count = document.GetCount("data");
  // The new groups have distinct names, so an index finds the same group a search would.
  std::unordered_map<std::string, std::size_t> groupOf;
  for (int i = 0; i < count; ++i) {
    LineRecord line = ReadLineRecord(document, "data[" + std::to_string(i) + "].", mode);
    if (line.status == -1) continue;
    auto [found, added] = groupOf.try_emplace(line.province, result.groups.size());
    if (added) result.groups.push_back({.name = line.province, .lines = {}});
    result.groups[found->second].lines.push_back(std::move(line));
    ++result.count;
  }
  return result;
}

void MergeLineList(LineCatalogue& catalogue, std::vector<ProvinceGroup> downloaded, std::uint32_t stamp) {
  std::vector<bool> leftOver(downloaded.size(), false);
  // Which catalogue lines this merge found, kept apart from the stamps: two merges within one
  // millisecond share a stamp, and the second must still mark what it did not see.
  std::vector<std::vector<bool>> seen(catalogue.groups.size());
  for (std::size_t g = 0; g < catalogue.groups.size(); ++g) seen[g].assign(catalogue.groups[g].lines.size(), false);

  for (std::size_t d = downloaded.size(); d-- > 0;) {
    ProvinceGroup& group = downloaded[d];
    std::optional<std::size_t> target = FindProvinceGroup(catalogue.groups, group.name);
    if (!target) {
      leftOver[d] = true;
      continue;
    }
    std::vector<LineRecord>& lines = catalogue.groups[*target].lines;
    std::vector<bool>& seenInGroup = seen[*target];
    // The first line of each domain, as a search from the start would find it. The index points
    // into the lines, so they are given room first and never move while it is in use.
    lines.reserve(lines.size() + group.lines.size());
    std::unordered_map<std::string_view, std::size_t> lineOf;
    lineOf.reserve(lines.capacity());
    for (std::size_t i = 0; i < lines.size(); ++i) lineOf.try_emplace(lines[i].domain, i);

    for (std::size_t l = group.lines.size(); l-- > 0;) {
      LineRecord& line = group.lines[l];
      auto found = lineOf.find(line.domain);
      if (found != lineOf.end()) {
        LineRecord& known = lines[found->second];
        known.seenStamp = stamp;
        known.city = std::move(line.city);
        known.isp = std::move(line.isp);
        known.status = line.status;
        seenInGroup[found->second] = true;
      } else {
        line.seenStamp = stamp;
        lines.push_back(std::move(line));
        seenInGroup.push_back(true);
        lineOf.try_emplace(lines.back().domain, lines.size() - 1);
      }
    }
  }

  for (std::size_t g = 0; g < seen.size(); ++g) {
    std::vector<LineRecord>& lines = catalogue.groups[g].lines;
    for (std::size_t i = 0; i < seen[g].size(); ++i) {
      if (!seen[g][i]) lines[i].status = -1;
    }
  }

  for (std::size_t d = 0; d < downloaded.size(); ++d) {
    if (leftOver[d]) catalogue.groups.push_back(std::move(downloaded[d]));
  }
}
