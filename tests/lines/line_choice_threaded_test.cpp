// The line choice against the reference line service, with downloads merging on their workers
// while the user-interface thread fills, searches and switches modes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "lines/line_choice.h"
#include "lines/line_download.h"
#include "lines/line_list.h"
#include "lines/line_list_view.h"
#include "lines/line_mode.h"
#include "lines/line_words.h"
#include "platform/clock.h"
#include "tests/support/app_fixture.h"
#include "tests/support/line_service_process.h"
#include "ui/main_window_layout.h"

namespace {

constexpr std::uint32_t kBusyMilliseconds = 1500;

class LineChoiceWithService : public AppFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service.started());
    const int port = service.WaitForListening();
    ASSERT_GT(port, 0) << service.ErrorOutput();
    context.configuration.apiPort = port;
    ui.LoadWindow(kMainWindowLayout, [&](toolkit::Window& window) { BindLineChoice(context, window); });
    context.state->settingsPath = SettingsPath();
    context.state->account = "demo";
  }

  // The workers end before the service and its environment go, even when a test stops early.
  ~LineChoiceWithService() override { context.workers.JoinAll(); }

  toolkit::headless::HeadlessWindow& main() { return Window(kMainWindowName); }
  toolkit::headless::HeadlessList& lines() { return main().List("超级列表框_节点列表"); }

  // The list the service sends now, as a fresh catalogue would take it in.
  ParsedLineList Served(const char* mode) {
    LineListDownload download = FetchLineList(context, *context.state, mode);
    EXPECT_TRUE(download.ok) << mode << " error " << download.error << ' ' << service.ErrorOutput();
    return ParseLineList(download.body, mode);
  }

  int RowOfStaticIp(const std::string& ip) {
    for (int row = 0; row < lines().RowCount(); ++row) {
      if (lines().Cell(row, kStaticIpColumn) == ip) return row;
    }
    return -1;
  }

  LineServiceProcess service{{"--port", "0", "--db", folder.File("lines.db")}};
};

TEST_F(LineChoiceWithService, FillsAndSearchesWhileDownloadsMerge) {
  StartLoadDynamicLines(context);
  StartLoadStaticLines(context);
  context.workers.JoinAll();

  int searches = 0;
  const std::uint32_t start = platform::TickCount();
  for (int round = 0; platform::TickCount() - start < kBusyMilliseconds; ++round) {
    StartUpdateDynamicLines(context);
    StartUpdateStaticLines(context);
    // A label press switches the mode and refreshes, starting one more update of that list.
    main().Label(round % 2 == 0 ? "透明标签_动态线路" : "透明标签_静态线路").SimulatePress();
    ASSERT_GT(lines().RowCount(), 0);

    main().Edit("编辑框_搜索").SetText("北京 上海");
    main().Label("透明标签_搜索").SimulatePress();
    ++searches;
    // Every row the search keeps is whole and matches a word, however the merges interleave.
    for (int row = 0; row < lines().RowCount(); ++row) {
      const std::string province = lines().Cell(row, kProvinceColumn);
      const std::string city = lines().Cell(row, kCityColumn);
      ASSERT_TRUE(ContainsWord(province, "北京") || ContainsWord(province, "上海") || ContainsWord(city, "北京") ||
                  ContainsWord(city, "上海"))
          << province << city;
      ASSERT_FALSE(lines().Cell(row, kHostColumn).empty());
      ASSERT_NE(lines().Cell(row, kStatusColumn), "遗弃");
    }
    ui.ProcessPendingMessages();
  }
  context.workers.JoinAll();
  ui.ProcessPendingMessages();
  EXPECT_GT(searches, 10);
  EXPECT_EQ(main().Label("透明标签_当前线路").Text(), "更新线路成功");
  EXPECT_EQ(context.state->dynamicDownloadBusy.load(), 0);
  EXPECT_EQ(context.state->staticDownloadBusy.load(), 0);
  EXPECT_EQ(context.state->lineListBusy.load(), 0);

  // However often the lists were merged, each province and each line is there once, next to the
  // placeholder's group.
  for (const char* mode : {kDynamicLineMode, kStaticLineMode}) {
    SetLineMode(context, mode);
    context.workers.JoinAll();
    const ParsedLineList served = Served(mode);
    EXPECT_GT(served.count, 50) << mode;
    EXPECT_EQ(main().List("超级列表框_省份").RowCount(), static_cast<int>(served.groups.size()) + 1) << mode;
    EXPECT_EQ(lines().RowCount(), served.count) << mode;
  }
}

TEST_F(LineChoiceWithService, ReservesAFreeStaticLineAndIsRefusedOneHeldByAnother) {
  StartLoadStaticLines(context);
  context.workers.JoinAll();
  main().Label("透明标签_静态线路").SimulatePress();
  context.workers.JoinAll();
  ui.ProcessPendingMessages();

  const int held = RowOfStaticIp("203.0.113.1");  // reserved by demo2
  ASSERT_GE(held, 0);
  const std::string heldHost = lines().Cell(held, kHostColumn);
  lines().SimulateChoice(held);
  EXPECT_EQ(main().Label("透明标签_连接状态").Text(), "设置静态IP失败！该线路暂时不可用，请重试或者尝试切换其他线路！");
  EXPECT_EQ(main().Label("透明标签_已选线路").Text(), "未选择");
  EXPECT_EQ(context.state->serverHost, heldHost);

  const int free = RowOfStaticIp("198.51.100.2");
  ASSERT_GE(free, 0);
  lines().SimulateChoice(free);
  EXPECT_EQ(main().Label("透明标签_连接状态").Text(), "设置静态IP成功！");
  EXPECT_EQ(main().Label("透明标签_已选线路").Text(),
            lines().Cell(free, kProvinceColumn) + lines().Cell(free, kCityColumn));
  EXPECT_EQ(context.state->serverHost, lines().Cell(free, kHostColumn));
  EXPECT_EQ(context.state->staticIp, "198.51.100.2");
  EXPECT_EQ(context.state->protocol, "SSTP");
}

}  // namespace
