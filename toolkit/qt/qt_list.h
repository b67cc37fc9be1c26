#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <string>
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/layout.h"

namespace toolkit::qt {

// The rows of a list view, kept as the system's texts. A fill of many rows costs the view nothing
// while it runs: the view learns of the new rows once, on the next pass of the message loop, and
// converts only the cells it paints.
class ListRows final : public QAbstractTableModel {
 public:
  ListRows(int columns, QObject* parent);

  int RowCount() const { return static_cast<int>(cells_.size() / static_cast<std::size_t>(columns_)); }
  void Clear();
  int Append();
  // Cells outside the rows read empty and take no text.
  std::string Cell(int row, int column) const;
  void SetCell(int row, int column, std::string_view text);

  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : shownRows_; }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : columns_; }
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  bool Holds(int row, int column) const;
  std::size_t At(int row, int column) const;
  void TellViewLater();
  void TellView();

  int columns_;
  std::vector<std::string> cells_;  // row after row
  // What the view has been told: it sees this many rows until the next TellView.
  int shownRows_ = 0;
  bool cleared_ = false;
  bool shownCellsChanged_ = false;
  bool tellingPending_ = false;
};

class QtList final : public QTableView, public ReportListView {
 public:
  QtList(const ControlLayout& layout, QWidget* parent);
  int RowCount() const override { return rows_->RowCount(); }
  void DeleteAllRows() override;
  int AppendRow() override { return rows_->Append(); }
  std::string Cell(int row, int column) const override { return rows_->Cell(row, column); }
  void SetCell(int row, int column, std::string_view text) override { rows_->SetCell(row, column, text); }
  int CurrentRow() const override { return current_; }
  bool Visible() const override { return !isHidden(); }
  // A list shown over other controls, as a drop-down is, comes to the front.
  void SetVisible(bool visible) override;
  int Height() const override { return height(); }
  void SetHeight(int height) override { resize(width(), height); }
  void OnRowChosen(Handler handler) override { chosen_ = std::move(handler); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  ListRows* rows_;
  int current_ = -1;
  Handler chosen_;
};

}  // namespace toolkit::qt
