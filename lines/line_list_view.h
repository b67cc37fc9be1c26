#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lines/line_catalogue.h"
#include "toolkit/controls.h"

struct AppContext;

// The main window's line list and province drop-down, filled from a catalogue. Each fill and
// search holds the catalogue's lock for its whole pass, so a download merging meanwhile waits.

// Columns of the line list. The host and the static address lie in columns out of sight: a pick
// reads them back from the row.
inline constexpr int kProvinceColumn = 1;
inline constexpr int kCityColumn = 2;
inline constexpr int kIspColumn = 3;
inline constexpr int kStatusColumn = 4;
inline constexpr int kHostColumn = 5;
inline constexpr int kStaticIpColumn = 6;

// "正常" for 0, "遗弃" for -1 (never listed), "故障" for any other status.
std::string StatusName(std::int32_t status);

// Writes the line into a row. The static address goes in only in static mode; column 0 stays empty.
void FillLineRow(toolkit::ReportListView& list, int row, const LineRecord& line, std::string_view lineMode);

// Lists every line of the catalogue that is not abandoned, in catalogue order, unfiltered.
void FillLineList(AppContext& context, LineCatalogue& catalogue);

// One row per group, the placeholder group and groups of abandoned lines included.
void FillProvinceList(AppContext& context, LineCatalogue& catalogue);

// Lists the lines that are not abandoned whose province or city contains any word of the filter,
// in catalogue order. The province drop-down is left alone.
void SearchLines(AppContext& context, LineCatalogue& catalogue, const std::string& filter);
