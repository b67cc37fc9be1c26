#include "lines/line_list_view.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "app/app_context.h"
#include "lines/line_words.h"
#include "ui/main_window.h"

namespace {

constexpr std::int32_t kAbandoned = -1;

toolkit::ReportListView& LineList(AppContext& context) { return MainWindow(context).List("超级列表框_节点列表"); }

bool ContainsAnyWord(std::string_view text, const std::vector<std::string>& words) {
  return std::any_of(words.begin(), words.end(), [text](const std::string& word) { return ContainsWord(text, word); });
}

}  // namespace

std::string StatusName(std::int32_t status) {
  if (status == 0) return "正常";
  if (status == kAbandoned) return "遗弃";
  return "故障";
}

void FillLineRow(toolkit::ReportListView& list, int row, const LineRecord& line, std::string_view lineMode) {
  list.SetCell(row, kProvinceColumn, line.province);
  list.SetCell(row, kCityColumn, line.city);
  list.SetCell(row, kIspColumn, line.isp);
  list.SetCell(row, kStatusColumn, StatusName(line.status));
  list.SetCell(row, kHostColumn, line.domain);
  if (lineMode == kStaticLineMode) list.SetCell(row, kStaticIpColumn, line.ip);
}

void FillLineList(AppContext& context, LineCatalogue& catalogue) {
  toolkit::ReportListView& list = LineList(context);
  const std::string& lineMode = context.state->lineMode;
  list.DeleteAllRows();
  std::lock_guard lock(catalogue.lock);
  for (const ProvinceGroup& group : catalogue.groups) {
    for (const LineRecord& line : group.lines) {
      if (line.status != kAbandoned) FillLineRow(list, list.AppendRow(), line, lineMode);
    }
  }
}

void FillProvinceList(AppContext& context, LineCatalogue& catalogue) {
  toolkit::ReportListView& list = MainWindow(context).List("超级列表框_省份");
  list.DeleteAllRows();
  std::lock_guard lock(catalogue.lock);
  for (const ProvinceGroup& group : catalogue.groups) list.SetCell(list.AppendRow(), 0, group.name);
}

void SearchLines(AppContext& context, LineCatalogue& catalogue, const std::string& filter) {
  const std::vector<std::string> words = SplitWords(filter);
  toolkit::ReportListView& list = LineList(context);
  const std::string& lineMode = context.state->lineMode;
  list.DeleteAllRows();
  std::lock_guard lock(catalogue.lock);
  for (const ProvinceGroup& group : catalogue.groups) {
    const bool groupHit = ContainsAnyWord(group.name, words);
    for (const LineRecord& line : group.lines) {
      if (line.status == kAbandoned) continue;
      if (groupHit || ContainsAnyWord(line.city, words)) FillLineRow(list, list.AppendRow(), line, lineMode);
    }
  }
}
