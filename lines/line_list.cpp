#include "lines/line_list.h"

#include <memory_resource>
#include <unordered_map>

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

// The members of element `prefix` of a document, read through their paths.
struct PrefixedMembers {
  std::string GetText(std::string_view name) const { return document.GetText(PathOf(name)); }
  std::int32_t GetInt(std::string_view name) const { return document.GetInt(PathOf(name)); }
  std::string PathOf(std::string_view name) const { return std::string(prefix).append(name); }

  const JsonDocument& document;
  const std::string& prefix;
};

// Both readers of a record take its fields here, so that they cannot read them differently.
template <typename Members>
LineRecord ReadFields(const Members& members, std::string_view mode) {
  LineRecord line;
  line.province = members.GetText("province");
  line.city = members.GetText("city");
  line.domain = LowerAscii(members.GetText("domain"));
  line.isp = members.GetText("isp");
  line.status = members.GetInt("status");
  if (mode == kStaticLineMode) line.ip = members.GetText("ip");
  return line;
}

}  // namespace

LineRecord ReadLineRecord(const JsonDocument& document, const std::string& prefix, std::string_view mode) {
  return ReadFields(PrefixedMembers{document, prefix}, mode);
}

LineRecord ReadLineRecord(const JsonDocument::Element& element, std::string_view mode) {
  return ReadFields(element, mode);
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
  // The new groups have distinct names, so an index finds the same group a search would. A list
  // comes province by province, so the group of the line before is tried first.
  std::unordered_map<std::string, std::size_t> groupOf;
  std::size_t group = 0;
  // Element i is element "data[i]." as ReadLineRecord by prefix reads it, met without walking
  // from the root for each member.
  document.ForEachElement("data", [&](const JsonDocument::Element& element) {
    LineRecord line = ReadLineRecord(element, mode);
    if (line.status == -1) return;
    if (result.groups.empty() || result.groups[group].name != line.province) {
      auto [found, added] = groupOf.try_emplace(line.province, result.groups.size());
      if (added) result.groups.push_back({.name = line.province, .lines = {}});
      group = found->second;
    }
    result.groups[group].lines.push_back(std::move(line));
    ++result.count;
  });
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
    // Its entries are all let go together at the end of the group, so they are carved from one
    // growing block rather than allocated and freed one by one.
    std::pmr::monotonic_buffer_resource indexMemory;
    std::pmr::unordered_map<std::string_view, std::size_t> lineOf(&indexMemory);
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
