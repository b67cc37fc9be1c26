#include <QHeaderView>
#include <chrono>
#include <cstdio>

#include "tests/toolkit_qt/toolkit_fixture.h"
#include "toolkit/qt/qt_look.h"

namespace {

using toolkit::ControlKind;

// As the line list: a blank margin column, four shown ones, and two the handlers read back.
constexpr toolkit::ListColumn kColumns[] = {{"", 8},       {"province", 110}, {"city", 200}, {"isp", 110},
                                            {"state", 65}, {"host", 0},       {"ip", 0}};
constexpr std::string_view kRows[] = {"all"};
constexpr toolkit::ControlLayout kControls[] = {
    // A drop-down laid out before the list it opens over.
    {.name = "choices",
     .kind = ControlKind::ReportListView,
     .left = 20,
     .top = 20,
     .width = 87,
     .height = 25,
     .rows = kRows,
     .hidden = true},
    {.name = "lines",
     .kind = ControlKind::ReportListView,
     .left = 10,
     .top = 20,
     .width = 517,
     .height = 392,
     .columns = kColumns},
};
constexpr toolkit::WindowLayout kLayout{
    .name = "ListWindow", .width = 540, .height = 420, .background = "backdrop", .controls = kControls};

// 广东, 广州, 电信, 正常 in the system's code page.
constexpr std::string_view kProvince = "\xB9\xE3\xB6\xAB";
constexpr std::string_view kCity = "\xB9\xE3\xD6\xDD";
constexpr std::string_view kIsp = "\xB5\xE7\xD0\xC5";
constexpr std::string_view kState = "\xD5\xFD\xB3\xA3";

class QtListTest : public QtToolkitTest {
 protected:
  void Fill(int rows) {
    for (int i = 0; i < rows; ++i) {
      int row = lines.AppendRow();
      lines.SetCell(row, 1, kProvince);
      lines.SetCell(row, 2, kCity);
      lines.SetCell(row, 3, kIsp);
      lines.SetCell(row, 4, kState);
      lines.SetCell(row, 5, "line" + std::to_string(i) + ".example.net");
      lines.SetCell(row, 6, "10.0." + std::to_string(i / 256 % 256) + "." + std::to_string(i % 256));
    }
  }

  // Where a row shows in the window; the view must have been told of the rows.
  QPoint RowInWindow(int row) {
    QRect cell = lines.visualRect(lines.model()->index(row, 2));
    return lines.viewport()->mapTo(&window, cell.center());
  }

  toolkit::qt::QtWindow& window = Load(kLayout);
  toolkit::qt::QtList& lines = window.List("lines");
};

// The first fill goes into an empty view; the second replaces all the rows the view shows, as a
// refresh of the line list does.
TEST_F(QtListTest, FillingAHundredThousandRowsStaysFast) {
  ShowAndWait(window);
  for (const char* fill : {"first", "second"}) {
    auto start = std::chrono::steady_clock::now();
    lines.DeleteAllRows();
    Fill(100000);
    ui.ProcessPendingMessages();  // the view learns of the rows
    lines.repaint();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s fill of 100000 rows of 7 cells, painted: %.3f s\n", fill, seconds);
    EXPECT_LT(seconds, 5.0);
  }
  EXPECT_EQ(lines.RowCount(), 100000);
  EXPECT_EQ(lines.model()->rowCount(), 100000);
  EXPECT_EQ(lines.Cell(99999, 5), "line99999.example.net");
  EXPECT_EQ(lines.model()->index(99999, 2).data().toString(), QStringLiteral("广州"));
}

TEST_F(QtListTest, ClickOnARowChoosesIt) {
  ShowAndWait(window);
  Fill(5);
  lines.SetCell(2, 5, "chosen.example.net");
  ui.ProcessPendingMessages();
  std::vector<std::pair<int, std::string>> chosen;
  lines.OnRowChosen([&] { chosen.emplace_back(lines.CurrentRow(), lines.Cell(lines.CurrentRow(), 5)); });

  ClickAt(window, RowInWindow(2));
  ClickAt(window, RowInWindow(4) + QPoint(0, 5 * toolkit::qt::kListRowHeight));  // below the last row
  QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, RowInWindow(3));
  EXPECT_EQ(chosen, (std::vector<std::pair<int, std::string>>{{2, "chosen.example.net"}}));
  EXPECT_EQ(lines.CurrentRow(), 2);

  lines.DeleteAllRows();
  EXPECT_EQ(lines.CurrentRow(), -1);
  EXPECT_EQ(lines.RowCount(), 0);
  // Until the view hears of the deletion it still shows the old rows; a click there chooses nothing.
  ClickAt(window, RowInWindow(1));
  ui.ProcessPendingMessages();
  EXPECT_EQ(lines.model()->rowCount(), 0);
  EXPECT_EQ(chosen.size(), 1u);
}

TEST_F(QtListTest, HiddenColumnsKeepTheirCellsAndCellsOutsideTheRowsAreIgnored) {
  for (int column : {5, 6}) EXPECT_TRUE(lines.isColumnHidden(column)) << column;
  for (int column : {0, 1, 2, 3, 4}) EXPECT_FALSE(lines.isColumnHidden(column)) << column;
  EXPECT_EQ(lines.columnWidth(0), 8);
  EXPECT_EQ(lines.columnWidth(2), 200);
  EXPECT_TRUE(lines.horizontalHeader()->isHidden());

  int row = lines.AppendRow();
  lines.SetCell(row, 6, "10.0.0.1");
  lines.SetCell(row, 7, "nowhere");
  lines.SetCell(row + 1, 1, "nowhere");
  lines.SetCell(-1, 1, "nowhere");
  EXPECT_EQ(lines.Cell(row, 6), "10.0.0.1");
  EXPECT_EQ(lines.Cell(row, 7), "");
  EXPECT_EQ(lines.Cell(row + 1, 1), "");
  EXPECT_EQ(lines.Cell(-1, 0), "");
  EXPECT_EQ(lines.RowCount(), 1);
}

TEST_F(QtListTest, ChangedCellsOfShownRowsReachTheView) {
  Fill(3);
  ui.ProcessPendingMessages();
  lines.SetCell(1, 2, kProvince);
  lines.AppendRow();
  ui.ProcessPendingMessages();
  EXPECT_EQ(lines.model()->rowCount(), 4);
  EXPECT_EQ(lines.model()->index(1, 2).data().toString(), QStringLiteral("广东"));
  EXPECT_EQ(lines.model()->index(3, 2).data().toString(), QString());
}

TEST_F(QtListTest, DropDownOpensOverTheListWithItsDesignRows) {
  ShowAndWait(window);
  auto& choices = window.List("choices");
  ui.ProcessPendingMessages();
  EXPECT_EQ(choices.RowCount(), 1);
  EXPECT_EQ(choices.Cell(0, 0), "all");
  EXPECT_FALSE(choices.Visible());
  EXPECT_EQ(choices.Height(), 25);
  int picked = -1;
  choices.OnRowChosen([&] { picked = choices.CurrentRow(); });

  choices.SetVisible(true);
  choices.SetHeight(120);
  EXPECT_TRUE(choices.Visible());
  EXPECT_EQ(choices.Height(), 120);
  EXPECT_EQ(choices.height(), 120);
  QRect first = choices.visualRect(choices.model()->index(0, 0));
  ClickAt(window, choices.viewport()->mapTo(&window, first.center()));
  EXPECT_EQ(picked, 0);

  choices.SetVisible(false);
  EXPECT_FALSE(choices.Visible());
}

}  // namespace
