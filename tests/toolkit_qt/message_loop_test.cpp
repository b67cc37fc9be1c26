#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <thread>

#include "tests/toolkit_qt/toolkit_fixture.h"

namespace {

using toolkit::ControlKind;
using Clock = std::chrono::steady_clock;

constexpr toolkit::ControlLayout kControls[] = {
    {.name = "fast", .kind = ControlKind::Timer},
    {.name = "slow", .kind = ControlKind::Timer},
};
constexpr toolkit::WindowLayout kLayout{.name = "TimerWindow", .width = 10, .height = 10, .controls = kControls};

class QtMessageLoopTest : public QtToolkitTest {
 protected:
  // Handles messages until the condition holds or the real-time limit passes.
  bool WaitFor(const std::function<bool()>& condition, int limitMs = 3000) {
    auto limit = Clock::now() + std::chrono::milliseconds(limitMs);
    while (!condition() && Clock::now() < limit) ui.WaitProcessingMessages(5);
    return condition();
  }

  toolkit::qt::QtWindow& window = Load(kLayout);
};

TEST_F(QtMessageLoopTest, TimerTicksEveryPeriodUntilStopped) {
  auto& timer = window.Timer("fast");
  int ticks = 0;
  timer.OnTick([&] { ++ticks; });
  EXPECT_EQ(timer.Period(), 0);
  ui.WaitProcessingMessages(60);
  EXPECT_EQ(ticks, 0);

  timer.SetPeriod(20);
  EXPECT_EQ(timer.Period(), 20);
  ui.WaitProcessingMessages(250);
  EXPECT_GE(ticks, 5);
  EXPECT_LE(ticks, 13);

  timer.SetPeriod(0);
  EXPECT_EQ(timer.Period(), 0);
  int stoppedAt = ticks;
  ui.WaitProcessingMessages(80);
  EXPECT_EQ(ticks, stoppedAt);

  timer.SetPeriod(-5);
  EXPECT_EQ(timer.Period(), 0);
}

TEST_F(QtMessageLoopTest, SettingThePeriodStartsCountingAfresh) {
  auto& timer = window.Timer("slow");
  timer.SetPeriod(200);
  ui.WaitProcessingMessages(150);
  std::uint64_t reArmedAt = ui.TickCount();
  timer.SetPeriod(200);
  std::uint64_t tickedAt = 0;
  timer.OnTick([&] {
    if (tickedAt == 0) tickedAt = ui.TickCount();
  });
  ASSERT_TRUE(WaitFor([&] { return tickedAt != 0; }));
  // A timer still counting from its first start would tick some 50 ms after the re-arm.
  EXPECT_GE(tickedAt - reArmedAt, 180u);
}

TEST_F(QtMessageLoopTest, WaitLastsItsTimeAndRunsTicksInside) {
  int ticks = 0;
  window.Timer("fast").OnTick([&] { ++ticks; });
  window.Timer("fast").SetPeriod(10);
  auto start = Clock::now();
  std::uint64_t startTick = ui.TickCount();
  ui.WaitProcessingMessages(50);
  auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  std::printf("WaitProcessingMessages(50) took %lld ms with %d ticks inside\n", static_cast<long long>(waited), ticks);
  EXPECT_GE(waited, 50);
  EXPECT_LT(waited, 1000);
  EXPECT_GE(ui.TickCount() - startTick, 50u);
  EXPECT_GE(ticks, 1);
}

TEST_F(QtMessageLoopTest, TasksPostedFromAnotherThreadRunInOrderOnTheInterfaceThread) {
  std::vector<int> order;
  std::vector<std::thread::id> ranOn;
  std::thread worker([&] {
    for (int i = 0; i < 100; ++i) {
      ui.Post([&, i] {
        order.push_back(i);
        ranOn.push_back(std::this_thread::get_id());
      });
    }
  });
  worker.join();
  EXPECT_TRUE(order.empty());  // nothing runs until the loop handles messages
  ASSERT_TRUE(WaitFor([&] { return order.size() == 100; }));
  for (int i = 0; i < 100; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
  for (auto id : ranOn) EXPECT_EQ(id, std::this_thread::get_id());
}

TEST_F(QtMessageLoopTest, DelayedTaskRunsOnceItsTimeHasPassed) {
  const auto start = Clock::now();
  Clock::time_point ran{};
  ui.PostAfter(80, [&] { ran = Clock::now(); });
  ui.WaitProcessingMessages(40);
  EXPECT_EQ(ran, Clock::time_point{});
  ASSERT_TRUE(WaitFor([&] { return ran != Clock::time_point{}; }));
  EXPECT_GE(ran - start, std::chrono::milliseconds(75));
}

TEST_F(QtMessageLoopTest, MessageBoxShowsAnErrorWithOneButtonAndReturnsWhenClosed) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title, text;
  qsizetype buttons = 0;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (box == nullptr || !box->isVisible()) continue;
      icon = box->icon();
      title = box->windowTitle();
      text = box->text();
      buttons = box->buttons().size();
      box->button(QMessageBox::Ok)->click();
    }
  });
  closer.start(10);
  // 程序已运行 and 友情提醒 in the system's code page.
  ui.ShowMessageBox("\xB3\xCC\xD0\xF2\xD2\xD1\xD4\xCB\xD0\xD0", "\xD3\xD1\xC7\xE9\xCC\xE1\xD0\xD1",
                    toolkit::kErrorIcon);
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(buttons, 1);
  EXPECT_EQ(title, QStringLiteral("友情提醒"));
  EXPECT_EQ(text, QStringLiteral("程序已运行"));
}

// The process ends for real, so each case runs in a child process of its own. The end work writes
// into a fully buffered file that only the end's flush empties; the parent reads it afterwards.
class QtProcessEndTest : public QtMessageLoopTest {
 protected:
  QtProcessEndTest() {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    path_ = testing::TempDir() + "qt_process_end_" + test->name() + ".txt";
  }

  // Called in the parent before the child runs.
  void Forget() { std::remove(path_.c_str()); }

  void SayAtTheEnd(const char* word) {
    if (out_ == nullptr) {
      out_ = std::fopen(path_.c_str(), "w");
      std::setvbuf(out_, nullptr, _IOFBF, 4096);
    }
    ui.AtProcessEnd([this, word] { std::fprintf(out_, "%s;", word); });
  }

  std::string Said() const { return ReadWhole(path_); }

 private:
  static std::string ReadWhole(const std::string& path) {
    std::string text;
    if (FILE* in = std::fopen(path.c_str(), "r")) {
      char buffer[256];
      while (std::size_t n = std::fread(buffer, 1, sizeof buffer, in)) text.append(buffer, n);
      std::fclose(in);
    }
    return text;
  }

  std::string path_;
  FILE* out_ = nullptr;
};

TEST_F(QtProcessEndTest, EndRunsTheRegisteredWorkInOrderAndFlushesItsOutput) {
  Forget();
  EXPECT_EXIT(
      {
        SayAtTheEnd("first");
        SayAtTheEnd("second");
        ui.EndProcess(3);
      },
      testing::ExitedWithCode(3), "");
  EXPECT_EQ(Said(), "first;second;");
}

TEST_F(QtProcessEndTest, EndingFromTheEndWorkDoesNotStartItOver) {
  Forget();
  EXPECT_EXIT(
      {
        SayAtTheEnd("first");
        ui.AtProcessEnd([this] { ui.EndProcess(4); });
        SayAtTheEnd("never");
        ui.EndProcess(3);
      },
      testing::ExitedWithCode(4), "");
  EXPECT_EQ(Said(), "first;");
}

TEST_F(QtProcessEndTest, StoppedLoopEndsTheProcessWithItsCode) {
  Forget();
  EXPECT_EXIT(
      {
        SayAtTheEnd("ended");
        ui.Post([] { QCoreApplication::exit(5); });
        ui.Run();
      },
      testing::ExitedWithCode(5), "");
  EXPECT_EQ(Said(), "ended;");
}

}  // namespace
