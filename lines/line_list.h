#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lines/line_catalogue.h"
#include "service/json_document.h"

// Reads element `prefix` ("data[3].") of a line list. The domain is lower-cased (ASCII letters
// only); the static address is read in the static mode only. Absent texts read empty, an absent
// status 0.
LineRecord ReadLineRecord(const JsonDocument& document, const std::string& prefix, std::string_view mode);
// The same record read from the element itself, as ForEachElement hands it over.
LineRecord ReadLineRecord(const JsonDocument::Element& element, std::string_view mode);

// The position of the first group with exactly this name.
std::optional<std::size_t> FindProvinceGroup(const std::vector<ProvinceGroup>& groups, std::string_view name);

// The position of the first line with exactly this domain.
std::optional<std::size_t> FindLineByDomain(const std::vector<LineRecord>& lines, std::string_view domain);

struct ParsedLineList {
  std::vector<ProvinceGroup> groups;  // in the order their provinces first appear
  int count = 0;                      // elements taken in
};

// Groups a downloaded list by province, skipping abandoned lines. Nothing for a body that is not
// JSON or whose "data" holds no element.
ParsedLineList ParseLineList(std::string_view body, std::string_view mode);

// Merges downloaded groups into a catalogue; the caller holds the catalogue's lock. Lines keep
// their places: a known line (same province, same domain) is refreshed, a new one appended, and a
// line the download lacks is marked abandoned (-1). New provinces follow at the end.
void MergeLineList(LineCatalogue& catalogue, std::vector<ProvinceGroup> downloaded, std::uint32_t stamp);
