#include "toolkit/headless/headless_ui.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using toolkit::ControlKind;
using toolkit::headless::HeadlessUi;

constexpr toolkit::ListColumn kColumns[] = {{"", 8}, {"name", 100}, {"hidden", 0}};
constexpr std::string_view kRows[] = {"all"};
constexpr toolkit::ControlLayout kControls[] = {
    {.name = "label", .kind = ControlKind::TransparentLabel, .text = "first"},
    {.name = "hidden", .kind = ControlKind::TransparentLabel, .hidden = true},
    {.name = "edit", .kind = ControlKind::EditBox, .text = "30"},
    {.name = "button", .kind = ControlKind::ImageButton, .picture = "n", .hotPicture = "h", .disabledPicture = "d"},
    {.name = "list", .kind = ControlKind::ReportListView, .height = 25, .columns = kColumns},
    {.name = "choices", .kind = ControlKind::ReportListView, .rows = kRows},
    {.name = "fast", .kind = ControlKind::Timer},
    {.name = "slow", .kind = ControlKind::Timer},
};
constexpr toolkit::WindowLayout kLayout{.name = "TestWindow", .width = 100, .height = 100, .controls = kControls};

class HeadlessToolkit : public testing::Test {
 protected:
  HeadlessUi ui;
  int created = 0;
  toolkit::headless::HeadlessWindow& window =
      static_cast<toolkit::headless::HeadlessWindow&>(ui.LoadWindow(kLayout, [this](toolkit::Window&) { ++created; }));
};

TEST_F(HeadlessToolkit, WindowIsCreatedOnceFromItsLayoutAndStartsHidden) {
  EXPECT_EQ(&ui.LoadWindow(kLayout, [this](toolkit::Window&) { ++created; }), &window);
  EXPECT_EQ(created, 1);
  EXPECT_FALSE(window.Visible());
  EXPECT_EQ(window.Label("label").Text(), "first");
  EXPECT_FALSE(window.Label("hidden").Visible());
  EXPECT_EQ(window.Edit("edit").Text(), "30");
  EXPECT_EQ(window.Button("button").Pictures(), (toolkit::ButtonPictures{"n", "h", "d"}));
  EXPECT_EQ(window.List("choices").RowCount(), 1);
  EXPECT_EQ(window.List("choices").Cell(0, 0), "all");
  EXPECT_EQ(window.List("list").Columns().size(), 3u);
}

TEST_F(HeadlessToolkit, SimulatedUserActionsRespectVisibilityAndEnabling) {
  int presses = 0, clicks = 0;
  window.Label("hidden").OnLeftPress([&] { ++presses; });
  window.Label("hidden").SimulatePress();
  window.Label("hidden").SetVisible(true);
  window.Label("hidden").SimulatePress();
  window.Button("button").OnClick([&] { ++clicks; });
  window.Button("button").SetEnabled(false);
  window.Button("button").SimulateClick();
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(clicks, 0);
}

TEST_F(HeadlessToolkit, TypingChangesTheTextOneCharacterAtATime) {
  std::vector<std::string> seen;
  auto& edit = window.Edit("edit");
  edit.OnTextChanged([&] { seen.push_back(edit.Text()); });
  edit.SetText("");
  edit.SimulateTyping("a\xB1\xB1");
  edit.SetText("a\xB1\xB1");  // the same text: no change
  EXPECT_EQ(seen, (std::vector<std::string>{"", "a", "a\xB1\xB1"}));
}

TEST_F(HeadlessToolkit, ListCellsOutsideTheListAreIgnored) {
  auto& list = window.List("list");
  int row = list.AppendRow();
  list.SetCell(row, 2, "host");
  list.SetCell(row, 7, "nowhere");
  list.SetCell(5, 1, "nowhere");
  EXPECT_EQ(list.Cell(row, 2), "host");
  EXPECT_EQ(list.Cell(row, 7), "");
  EXPECT_EQ(list.Cell(-1, 0), "");
  int chosen = -2;
  list.OnRowChosen([&] { chosen = list.CurrentRow(); });
  list.SimulateChoice(3);
  EXPECT_EQ(chosen, -2);
  list.SimulateChoice(0);
  EXPECT_EQ(chosen, 0);
  list.DeleteAllRows();
  EXPECT_EQ(list.CurrentRow(), -1);
}

TEST_F(HeadlessToolkit, TimersTickInVirtualTimeOrder) {
  std::vector<std::pair<std::string, std::uint64_t>> ticks;
  window.Timer("fast").OnTick([&] { ticks.emplace_back("fast", ui.TickCount()); });
  window.Timer("slow").OnTick([&] {
    ticks.emplace_back("slow", ui.TickCount());
    window.Timer("slow").SetPeriod(0);
  });
  window.Timer("fast").SetPeriod(40);
  window.Timer("slow").SetPeriod(50);
  ui.AdvanceTime(100);
  EXPECT_EQ(ticks, (std::vector<std::pair<std::string, std::uint64_t>>{
                       {"fast", 40}, {"slow", 50}, {"fast", 80}}));
  EXPECT_EQ(ui.TickCount(), 100u);
}

TEST_F(HeadlessToolkit, WaitsRunTimersAndPostedTasks) {
  int ticks = 0;
  bool posted = false;
  window.Timer("fast").OnTick([&] { ++ticks; });
  window.Timer("fast").SetPeriod(10);
  ui.Post([&] { posted = true; });
  ui.WaitProcessingMessages(35);
  EXPECT_TRUE(posted);
  EXPECT_EQ(ticks, 3);
}

TEST_F(HeadlessToolkit, DelayedTasksRunWhenTheirVirtualTimeComes) {
  std::vector<std::uint64_t> ran;
  ui.PostAfter(2000, [&] { ran.push_back(ui.TickCount()); });
  ui.PostAfter(500, [&] { ran.push_back(ui.TickCount()); });
  ui.AdvanceTime(1999);
  EXPECT_EQ(ran, std::vector<std::uint64_t>{500});
  ui.AdvanceTime(1);
  EXPECT_EQ(ran, (std::vector<std::uint64_t>{500, 2000}));
}

TEST_F(HeadlessToolkit, BusyWaitOnTheTickCountEnds) {
  std::uint64_t start = ui.TickCount();
  while (ui.TickCount() - start < 1000) ui.ProcessPendingMessages();
  EXPECT_EQ(ui.TickCount() - start, 1000u);
}

TEST_F(HeadlessToolkit, TasksPostedFromAnotherThreadRunOnTheCallingThread) {
  std::thread::id ranOn;
  std::thread worker([&] { ui.Post([&] { ranOn = std::this_thread::get_id(); }); });
  EXPECT_TRUE(ui.RunUntil([&] { return ranOn != std::thread::id(); }));
  worker.join();
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(HeadlessToolkit, EndingTheProcessRunsTheEndWorkOnceAndThrowsToTheTest) {
  std::vector<int> order;
  ui.AtProcessEnd([&] { order.push_back(1); });
  ui.AtProcessEnd([&] { order.push_back(2); });
  EXPECT_THROW(ui.EndProcess(0), toolkit::headless::ProcessEnded);
  EXPECT_TRUE(ui.Ended());
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

}  // namespace
