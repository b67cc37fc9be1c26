#include "toolkit/qt/qt_list.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>

#include "toolkit/qt/qt_controls.h"
#include "toolkit/qt/qt_look.h"
#include "toolkit/qt/qt_text.h"

namespace toolkit::qt {

ListRows::ListRows(int columns, QObject* parent) : QAbstractTableModel(parent), columns_(std::max(columns, 1)) {}

void ListRows::Clear() {
  cells_.clear();
  cleared_ = true;
  TellViewLater();
}

int ListRows::Append() {
  cells_.resize(cells_.size() + static_cast<std::size_t>(columns_));
  TellViewLater();
  return RowCount() - 1;
}

bool ListRows::Holds(int row, int column) const {
  return row >= 0 && row < RowCount() && column >= 0 && column < columns_;
}

std::size_t ListRows::At(int row, int column) const {
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
}

std::string ListRows::Cell(int row, int column) const {
  return Holds(row, column) ? cells_[At(row, column)] : std::string();
}

void ListRows::SetCell(int row, int column, std::string_view text) {
  if (!Holds(row, column)) return;
  cells_[At(row, column)] = text;
  if (row < shownRows_) {
    shownCellsChanged_ = true;
    TellViewLater();
  }
}

// Between a change and the telling, the view may still ask for rows it was told of that are gone
// by now; they read empty.
QVariant ListRows::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (!Holds(index.row(), index.column())) return {};
  return ToQString(cells_[At(index.row(), index.column())]);
}

void ListRows::TellViewLater() {
  if (tellingPending_) return;
  tellingPending_ = true;
  QMetaObject::invokeMethod(
      this, [this] { TellView(); }, Qt::QueuedConnection);
}

void ListRows::TellView() {
  tellingPending_ = false;
  const int rows = RowCount();
  if (cleared_) {
    beginResetModel();
    shownRows_ = rows;
    cleared_ = false;
    shownCellsChanged_ = false;
    endResetModel();
    return;
  }
  if (shownCellsChanged_ && shownRows_ > 0) {
    shownCellsChanged_ = false;
    emit dataChanged(index(0, 0), index(shownRows_ - 1, columns_ - 1), {Qt::DisplayRole});
  }
  // Rows are only ever added at the end, so the rows the view knows keep their places.
  if (rows > shownRows_) {
    beginInsertRows({}, shownRows_, rows - 1);
    shownRows_ = rows;
    endInsertRows();
  }
}

QtList::QtList(const ControlLayout& layout, QWidget* parent)
    : QTableView(parent), rows_(new ListRows(static_cast<int>(layout.columns.size()), this)) {
  setObjectName(ToQString(layout.name));
  setGeometry(layout.left, layout.top, layout.width, layout.height);
  setModel(rows_);
  // The window's background paints the column captions; the list is rows only.
  horizontalHeader()->hide();
  horizontalHeader()->setMinimumSectionSize(0);  // a margin column may be narrower than the style's least
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(kListRowHeight);
  setFrameShape(QFrame::NoFrame);
  setShowGrid(false);
  setWordWrap(false);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setFocusPolicy(Qt::NoFocus);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, Qt::white);
  colours.setColor(QPalette::Text, kTextColour);
  colours.setColor(QPalette::Highlight, kSelectionColour);
  colours.setColor(QPalette::HighlightedText, Qt::white);
  setPalette(colours);

  if (layout.columns.empty()) {
    setColumnWidth(0, layout.width);
  } else {
    for (std::size_t column = 0; column < layout.columns.size(); ++column) {
      int width = layout.columns[column].width;
      // A column of width 0 holds values the handlers read back but the user never sees.
      if (width <= 0) {
        setColumnHidden(static_cast<int>(column), true);
      } else {
        setColumnWidth(static_cast<int>(column), width);
      }
    }
  }
  for (std::string_view row : layout.rows) rows_->SetCell(rows_->Append(), 0, row);
}

void QtList::DeleteAllRows() {
  rows_->Clear();
  current_ = -1;
}

void QtList::SetVisible(bool visible) {
  setVisible(visible);
  if (visible) raise();
}

void QtList::mousePressEvent(QMouseEvent* event) {
  QTableView::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  int row = indexAt(event->position().toPoint()).row();
  if (row < 0 || row >= RowCount()) return;
  current_ = row;
  RunHandler(chosen_);
}

}  // namespace toolkit::qt
