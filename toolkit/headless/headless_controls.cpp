#include "toolkit/headless/headless_controls.h"

#include <cstdio>
#include <cstdlib>

namespace toolkit::headless {

void HeadlessEdit::SimulateTyping(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    // A double-byte character arrives whole.
    std::size_t length = static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size() ? 2 : 1;
    SetText(text_ + std::string(text.substr(at, length)));
    at += length;
  }
}

HeadlessList::HeadlessList(const ControlLayout& layout)
    : columns_(layout.columns.begin(), layout.columns.end()), visible_(!layout.hidden), height_(layout.height) {
  for (std::string_view row : layout.rows) SetCell(AppendRow(), 0, row);
}

int HeadlessList::AppendRow() {
  rows_.emplace_back(columns_.empty() ? 1 : columns_.size());
  return RowCount() - 1;
}

// Cells outside the list read empty and take no text, as a list view's do.
std::string HeadlessList::Cell(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0) return {};
  const std::vector<std::string>& cells = rows_[static_cast<std::size_t>(row)];
  return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)] : std::string();
}

void HeadlessList::SetCell(int row, int column, std::string_view text) {
  if (row < 0 || row >= RowCount() || column < 0) return;
  std::vector<std::string>& cells = rows_[static_cast<std::size_t>(row)];
  if (static_cast<std::size_t>(column) < cells.size()) cells[static_cast<std::size_t>(column)] = text;
}

void HeadlessList::SimulateChoice(int row) {
  if (!visible_ || row < 0 || row >= RowCount()) return;
  current_ = row;
  if (chosen_) chosen_();
}

void HeadlessTimer::SetPeriod(int milliseconds) {
  period_ = milliseconds > 0 ? milliseconds : 0;
  due_ = now_ + static_cast<std::uint64_t>(period_);
}

void HeadlessTimer::Fire() {
  due_ = now_ + static_cast<std::uint64_t>(period_);
  if (tick_) tick_();
}

}  // namespace toolkit::headless
