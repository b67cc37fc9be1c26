#include "lines/line_choice.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "app/settings_file.h"
#include "lines/line_list.h"
#include "lines/line_list_view.h"
#include "lines/line_mode.h"
#include "lines/line_pick.h"
#include "tests/support/app_fixture.h"
#include "tests/support/loopback_http_server.h"
#include "ui/main_window_layout.h"
#include "ui/marks.h"
#include "vpn/protocol_choice.h"

namespace {

using Rows = std::vector<std::string>;

LineRecord Line(const char* province, const char* city, const char* domain, std::int32_t status = 0,
                const char* ip = "") {
  return {.province = province, .city = city, .domain = domain, .isp = "电信", .status = status, .ip = ip};
}

// Merges the lines into the catalogue as one download would, grouped by province in the order given.
void Download(LineCatalogue& catalogue, const std::vector<LineRecord>& lines) {
  std::vector<ProvinceGroup> groups;
  for (const LineRecord& line : lines) {
    std::optional<std::size_t> group = FindProvinceGroup(groups, line.province);
    if (!group) {
      groups.push_back({.name = line.province, .lines = {}});
      group = groups.size() - 1;
    }
    groups[*group].lines.push_back(line);
  }
  std::lock_guard lock(catalogue.lock);
  MergeLineList(catalogue, std::move(groups), 1);
}

class LineChoice : public AppFixture {
 protected:
  LineChoice() {
    ui.LoadWindow(kMainWindowLayout, [&](toolkit::Window& window) { BindLineChoice(context, window); });
    context.state->settingsPath = SettingsPath();
    context.state->lineMode = kDynamicLineMode;
  }

  toolkit::headless::HeadlessWindow& main() { return Window(kMainWindowName); }
  toolkit::headless::HeadlessList& lines() { return main().List("超级列表框_节点列表"); }
  toolkit::headless::HeadlessList& provinces() { return main().List("超级列表框_省份"); }
  std::string Setting(SettingKey key) { return ReadSetting(SettingsPath(), key); }

  // Every row as its cells joined by "|".
  Rows Listed(toolkit::headless::HeadlessList& list) {
    Rows rows;
    for (int row = 0; row < list.RowCount(); ++row) {
      std::string text = list.Cell(row, 0);
      for (int column = 1; column < static_cast<int>(list.Columns().size()); ++column)
        text += "|" + list.Cell(row, column);
      rows.push_back(text);
    }
    return rows;
  }
  Rows Listed() { return Listed(lines()); }

  int RowOf(const std::string& host) {
    for (int row = 0; row < lines().RowCount(); ++row) {
      if (lines().Cell(row, kHostColumn) == host) return row;
    }
    return -1;
  }
};

TEST(StatusName, NamesEachStatus) {
  struct {
    std::int32_t status;
    const char* name;
  } cases[] = {{0, "正常"}, {-1, "遗弃"}, {5, "故障"}, {1, "故障"}, {-2, "故障"}, {INT_MIN, "故障"}, {INT_MAX, "故障"}};
  for (const auto& c : cases) EXPECT_EQ(StatusName(c.status), c.name) << c.status;
}

TEST_F(LineChoice, FillListsEveryLineButTheAbandonedInCatalogueOrder) {
  for (const char* mode : {kDynamicLineMode, kStaticLineMode}) {
    context.state->lineMode = mode;
    LineCatalogue catalogue;
    Download(catalogue, {Line("广东", "深圳", "a.test", 0, "203.0.113.7"), Line("北京", "北京", "b.test", 5),
                         Line("广东", "广州", "c.test", -1), Line("广东", "东莞", "d.test", 2, "203.0.113.8")});
    FillLineList(context, catalogue);
    // The static address shows in static mode only.
    const bool isStatic = std::string(mode) == kStaticLineMode;
    // Grouped by province: 广东's lines come before 北京's.
    EXPECT_EQ(Listed(), (Rows{std::string("|广东|深圳|电信|正常|a.test|") + (isStatic ? "203.0.113.7" : ""),
                              std::string("|广东|东莞|电信|故障|d.test|") + (isStatic ? "203.0.113.8" : ""),
                              "|北京|北京|电信|故障|b.test|"}))
        << mode;
  }
}

TEST_F(LineChoice, ThePlaceholderListsAsAnEmptyRowUntilTheFirstDownload) {
  LineCatalogue catalogue;
  FillLineList(context, catalogue);
  FillProvinceList(context, catalogue);
  EXPECT_EQ(Listed(), Rows{"||||正常||"});
  EXPECT_EQ(Listed(provinces()), Rows{""});

  Download(catalogue, {Line("广东", "深圳", "a.test"), Line("北京", "北京", "b.test", -1)});
  FillLineList(context, catalogue);
  FillProvinceList(context, catalogue);
  EXPECT_EQ(Listed(), Rows{"|广东|深圳|电信|正常|a.test|"});
  // Every group is offered, the placeholder's and one whose lines are all abandoned included.
  EXPECT_EQ(Listed(provinces()), (Rows{"", "广东", "北京"}));
}

class LineSearch : public LineChoice {
 protected:
  LineSearch() {
    Download(context.state->dynamicLines,
             {Line("北京", "北京", "bj.test"), Line("上海", "浦东", "sh.test", 5), Line("广东", "深圳", "sz.test"),
              Line("广东", "上海路", "shl.test"), Line("北京", "海淀", "hd.test", -1), Line("辽宁", "本溪", "bx.test"),
              Line("江苏", "ABC", "abc.test"), Line("", "无省份", "np.test"), Line("", "", "empty.test")});
  }
  Rows Hosts() {
    Rows hosts;
    for (int row = 0; row < lines().RowCount(); ++row) hosts.push_back(lines().Cell(row, kHostColumn));
    return hosts;
  }
};

TEST_F(LineSearch, FindsAnyWordInProvinceOrCityInCatalogueOrder) {
  // Lines new to the placeholder's group follow it, so the line without a province comes first.
  const Rows everyNamedLine = {"np.test", "bj.test", "sh.test", "sz.test", "shl.test", "bx.test", "abc.test"};
  struct {
    const char* filter;
    Rows hosts;
  } cases[] = {
      // The province's lines, and lines of other provinces whose city holds a word.
      {"北京 上海", {"bj.test", "sh.test", "shl.test"}},
      {"广东", {"sz.test", "shl.test"}},
      {"海", {"sh.test", "shl.test"}},
      // An empty word, alone or between two spaces, lists every line with a province or a city.
      {"", everyNamedLine},
      {"北京  上海", everyNamedLine},
      {" 北京", everyNamedLine},
      {"北京 ", {"bj.test"}},
      {"abc", {}},
      {"ABC", {"abc.test"}},
      // 北京 holds the bytes of 本 across its two characters.
      {"本", {"bx.test"}},
      // Operator, status and host are not searched; an abandoned line is never listed.
      {"电信", {}},
      {"正常", {}},
      {"sz.test", {}},
      {"海淀", {}},
  };
  for (const auto& c : cases) {
    SearchLines(context, context.state->dynamicLines, c.filter);
    EXPECT_EQ(Hosts(), c.hosts) << '"' << c.filter << '"';
  }
}

TEST_F(LineSearch, LeavesTheProvinceListAlone) {
  FillProvinceList(context, context.state->dynamicLines);
  const Rows offered = Listed(provinces());
  SearchLines(context, context.state->dynamicLines, "广东");
  EXPECT_EQ(Listed(provinces()), offered);
}

TEST_F(LineSearch, APickedProvinceSearchesUntilAnEmptySearchListsAllAgain) {
  FillProvinceList(context, context.state->dynamicLines);
  main().Label("透明标签_省份下拉按钮").SimulatePress();
  ASSERT_TRUE(provinces().Visible());
  EXPECT_EQ(provinces().Height(), 120);

  provinces().SimulateChoice(2);  // 上海
  EXPECT_EQ(main().Label("透明标签_省份已选").Text(), "上海");
  EXPECT_FALSE(provinces().Visible());
  EXPECT_EQ(context.state->lineFilter, "上海");
  EXPECT_EQ(Hosts(), (Rows{"sh.test", "shl.test"}));

  main().Label("透明标签_搜索").SimulatePress();
  EXPECT_EQ(context.state->lineFilter, "");
  EXPECT_EQ(Hosts().size(), 7u);
  EXPECT_EQ(main().Label("透明标签_省份已选").Text(), "上海");
}

TEST_F(LineSearch, ThePlaceholderProvinceSearchesForTheEmptyWord) {
  FillProvinceList(context, context.state->dynamicLines);
  main().Label("透明标签_省份已选").SimulatePress();
  provinces().SimulateChoice(0);
  EXPECT_EQ(main().Label("透明标签_省份已选").Text(), "");
  EXPECT_EQ(Hosts().size(), 7u);
}

TEST_F(LineSearch, TheDropDownOpensAndClosesFromEitherLabel) {
  EXPECT_FALSE(provinces().Visible());
  main().Label("透明标签_省份已选").SimulatePress();
  EXPECT_TRUE(provinces().Visible());
  main().Label("透明标签_省份下拉按钮").SimulatePress();
  EXPECT_FALSE(provinces().Visible());
  main().Label("透明标签_省份下拉按钮").SimulatePress();
  EXPECT_TRUE(provinces().Visible());
}

TEST_F(LineSearch, SearchesTheCurrentModesCatalogue) {
  Download(context.state->staticLines, {Line("上海", "静安", "static.test", 0, "203.0.113.9")});
  main().Edit("编辑框_搜索").SimulateTyping("上海");
  for (const char* mode : {kStaticLineMode, kDynamicLineMode}) {
    context.state->lineMode = mode;
    main().Label("透明标签_搜索").SimulatePress();
    EXPECT_EQ(Hosts(), mode == std::string(kStaticLineMode) ? Rows{"static.test"} : (Rows{"sh.test", "shl.test"}));
  }
}

TEST_F(LineSearch, ARowEventWithoutACurrentRowDoesNothing) {
  FillProvinceList(context, context.state->dynamicLines);
  FillLineList(context, context.state->dynamicLines);
  context.state->lineFilter = "kept";
  context.state->serverHost = "kept.test";
  OnProvincePicked(context);
  OnLinePicked(context);
  EXPECT_EQ(context.state->lineFilter, "kept");
  EXPECT_EQ(context.state->serverHost, "kept.test");
  // The unfiltered fill, the line without province or city included.
  EXPECT_EQ(Hosts().size(), 8u);
  EXPECT_EQ(main().Label("透明标签_已选线路").Text(), "未选择");
}

// The mode controls, each pressed from the other mode with a province picked and PPTP chosen.
TEST_F(LineChoice, ModeControlsSwitchTheListAndOnlyTheLabelsResetTheProvince) {
  Download(context.state->dynamicLines, {Line("上海", "浦东", "dynamic.test"), Line("广东", "深圳", "sz.test")});
  Download(context.state->staticLines, {Line("上海", "静安", "static.test", 0, "203.0.113.9")});
  struct {
    const char* control;
    bool isLabel;
    const char* mode;
    const char* protocol;
  } cases[] = {
      {"图片框_静态线路", false, kStaticLineMode, "PPTP"},
      {"透明标签_静态线路", true, kStaticLineMode, "SSTP"},
      {"图片框_动态线路", false, kDynamicLineMode, "PPTP"},
      {"透明标签_动态线路", true, kDynamicLineMode, "PPTP"},
  };
  for (const auto& c : cases) {
    const bool toStatic = std::string(c.mode) == kStaticLineMode;
    SetLineMode(context, toStatic ? kDynamicLineMode : kStaticLineMode);
    SelectProtocol(context, "PPTP");
    main().Edit("编辑框_搜索").SetText("上海");
    main().Label("透明标签_省份已选").SetText("上海");
    context.state->lineFilter = "上海";

    if (c.isLabel) {
      main().Label(c.control).SimulatePress();
    } else {
      main().Picture(c.control).SimulatePress();
    }

    EXPECT_EQ(context.state->lineMode, c.mode) << c.control;
    EXPECT_EQ(Setting(kLineModeSetting), c.mode) << c.control;
    EXPECT_EQ(context.state->protocol, c.protocol) << c.control;
    EXPECT_EQ(main().Picture("图片框_SSTP").Picture(),
              c.protocol == std::string("SSTP") ? kSelectedPicture : kUnselectedPicture)
        << c.control;
    EXPECT_EQ(main().Picture("图片框_静态线路").Picture(), toStatic ? kSelectedPicture : kUnselectedPicture)
        << c.control;
    EXPECT_EQ(main().Picture("图片框_动态线路").Picture(), toStatic ? kUnselectedPicture : kSelectedPicture)
        << c.control;
    EXPECT_EQ(context.state->lineFilter, c.isLabel ? "" : "上海") << c.control;
    EXPECT_EQ(main().Label("透明标签_省份已选").Text(), c.isLabel ? "全部" : "上海") << c.control;
    EXPECT_EQ(main().Edit("编辑框_搜索").Text(), "上海") << c.control;
    // The list is the new mode's, unfiltered; the drop-down offers its provinces.
    EXPECT_EQ(lines().Cell(0, kHostColumn), toStatic ? "static.test" : "dynamic.test") << c.control;
    EXPECT_EQ(lines().RowCount(), toStatic ? 1 : 2) << c.control;
    EXPECT_EQ(Listed(provinces()), toStatic ? (Rows{"", "上海"}) : (Rows{"", "上海", "广东"})) << c.control;
    EXPECT_EQ(main().Label("透明标签_连接状态").Text(), "获取线路数据成功！") << c.control;
  }
}

TEST_F(LineChoice, AnEmptyModeIsDynamic) {
  SetLineMode(context, "");
  EXPECT_EQ(context.state->lineMode, kDynamicLineMode);
  EXPECT_EQ(Setting(kLineModeSetting), kDynamicLineMode);
  EXPECT_EQ(main().Picture("图片框_动态线路").Picture(), kSelectedPicture);
}

TEST_F(LineChoice, AnUnknownModeIsStoredButFillsNothingAndStartsNoUpdate) {
  LoopbackHttpServer api({MakeResponse("HTTP/1.1 200 OK", {}, "{}")});
  context.configuration.apiPort = api.port();
  SetLineMode(context, kStaticLineMode);
  context.workers.JoinAll();
  const std::size_t requests = api.Requests().size();
  const Rows listed = Listed();
  main().Label("透明标签_连接状态").SetText("未连接");

  SetLineMode(context, "静态");
  context.workers.JoinAll();
  EXPECT_EQ(context.state->lineMode, "静态");
  EXPECT_EQ(Setting(kLineModeSetting), "静态");
  EXPECT_EQ(main().Picture("图片框_静态线路").Picture(), kSelectedPicture);
  EXPECT_EQ(main().Picture("图片框_动态线路").Picture(), kUnselectedPicture);
  EXPECT_EQ(api.Requests().size(), requests);
  EXPECT_EQ(Listed(), listed);
  EXPECT_EQ(main().Label("透明标签_连接状态").Text(), "获取线路数据成功！");

  // A mode control repairs it.
  main().Picture("图片框_动态线路").SimulatePress();
  EXPECT_EQ(Setting(kLineModeSetting), kDynamicLineMode);
}

TEST_F(LineChoice, ARefreshFindingAFillRunningOnlyShowsTheStatus) {
  LoopbackHttpServer api({MakeResponse("HTTP/1.1 200 OK", {}, "{}")});
  context.configuration.apiPort = api.port();
  lines().SetCell(lines().AppendRow(), kHostColumn, "old.test");
  context.state->lineListBusy = 1;
  RefreshLines(context);
  context.workers.JoinAll();
  EXPECT_EQ(Listed(), Rows{"|||||old.test|"});
  EXPECT_TRUE(api.Requests().empty());
  EXPECT_EQ(main().Label("透明标签_连接状态").Text(), "获取线路数据成功！");
  EXPECT_EQ(context.state->lineListBusy.load(), 1);
}

TEST_F(LineChoice, TwoQuickRefreshesDownloadOnceAndShowOneUpdate) {
  ScriptedResponse slowList = MakeResponse(
      "HTTP/1.1 200 OK", {},
      R"({"code": 200, "data": [{"province": "广东", "city": "深圳", "domain": "a.test", "isp": "电信", "status": 0}]})");
  slowList.delayMs = 300;
  LoopbackHttpServer api({slowList});
  context.configuration.apiPort = api.port();

  RefreshLines(context);
  RefreshLines(context);
  // Both fills ran, from the catalogue as it was: the download merges later.
  EXPECT_EQ(Listed(), Rows{"||||正常||"});
  EXPECT_EQ(context.state->lineListBusy.load(), 0);
  context.workers.JoinAll();
  EXPECT_EQ(api.Requests().size(), 1u);
  ui.ProcessPendingMessages();
  EXPECT_EQ(main().Label("透明标签_当前线路").Text(), "更新线路成功");

  RefreshLines(context);
  EXPECT_EQ(Listed(), Rows{"|广东|深圳|电信|正常|a.test|"});
}

TEST_F(LineChoice, PickingADynamicLineTakesItAtOnce) {
  Download(context.state->dynamicLines, {Line("北京", "北京", "bj.test"), Line("广东", "深圳", "sz.test")});
  FillLineList(context, context.state->dynamicLines);
  SelectProtocol(context, "L2TP");
  context.state->staticIp = "203.0.113.1";

  lines().SimulateChoice(RowOf("sz.test"));

  EXPECT_EQ(context.state->serverHost, "sz.test");
  EXPECT_EQ(context.state->staticIp, "");
  EXPECT_EQ(main().Label("透明标签_已选线路").Text(), "广东深圳");
  EXPECT_EQ(main().Label("透明标签_当前线路").Text(), "广东深圳");
  EXPECT_EQ(Setting(kServerSetting), "sz.test");
  EXPECT_EQ(Setting(kServerNameSetting), "广东深圳");
  EXPECT_EQ(context.state->protocol, "L2TP");
}

TEST_F(LineChoice, PickingAStaticLineReservesItFirst) {
  struct {
    const char* answer;
    bool reachable;
    bool granted;
  } cases[] = {
      {R"({"status": "success", "msg": "ok", "code": 100})", true, true},
      {R"({"status": "error", "msg": "taken", "code": 106})", true, false},
      {"", true, false},
      {"", false, false},
  };
  const std::string refused = "设置静态IP失败！该线路暂时不可用，请重试或者尝试切换其他线路！";
  for (const auto& c : cases) {
    LoopbackHttpServer api({MakeResponse("HTTP/1.1 200 OK", {}, c.answer)});
    context.configuration.apiPort = c.reachable ? api.port() : ClosedLoopbackPort();
    context.state->account = "demo";
    context.state->serverHost = "bj.test";
    context.state->staticIp = "";
    main().Label("透明标签_连接状态").SetText("未连接");
    context.state->lineMode = kStaticLineMode;
    LineCatalogue catalogue;
    Download(catalogue, {Line("上海", "静安", "ja.test", 0, "203.0.113.7")});
    FillLineList(context, catalogue);
    SelectProtocol(context, "PPTP");
    main().Label("透明标签_已选线路").SetText("北京北京");
    main().Label("透明标签_当前线路").SetText("北京北京");
    WriteSetting(SettingsPath(), kServerSetting, "bj.test");
    WriteSetting(SettingsPath(), kServerNameSetting, "北京北京");

    lines().SimulateChoice(0);

    if (c.reachable) {
      ASSERT_EQ(api.Requests().size(), 1u);
      EXPECT_TRUE(api.Requests()[0].starts_with("GET /setstaticip/?user=demo&ip=203.0.113.7 HTTP/1.1\r\n"));
    }
    // The row is the pick whatever the answer: the next connect dials it.
    EXPECT_EQ(context.state->serverHost, "ja.test") << c.answer;
    EXPECT_EQ(context.state->staticIp, "203.0.113.7") << c.answer;
    const char* name = c.granted ? "上海静安" : "北京北京";
    EXPECT_EQ(main().Label("透明标签_已选线路").Text(), name) << c.answer;
    EXPECT_EQ(main().Label("透明标签_当前线路").Text(), name) << c.answer;
    EXPECT_EQ(Setting(kServerSetting), c.granted ? "ja.test" : "bj.test") << c.answer;
    EXPECT_EQ(Setting(kServerNameSetting), name) << c.answer;
    EXPECT_EQ(main().Label("透明标签_连接状态").Text(), c.granted ? "设置静态IP成功！" : refused) << c.answer;
    EXPECT_EQ(context.state->protocol, c.granted ? "SSTP" : "PPTP") << c.answer;
    EXPECT_EQ(Setting(kProtocolSetting), c.granted ? "SSTP" : "PPTP") << c.answer;
  }
}

TEST_F(LineChoice, PickingTheRowOfNoLineKeepsTheLineAsItWas) {
  LoopbackHttpServer api({MakeResponse("HTTP/1.1 200 OK", {}, R"({"code": 100})")});
  context.configuration.apiPort = api.port();
  WriteSetting(SettingsPath(), kServerSetting, "bj.test");
  context.state->serverHost = "bj.test";
  // The placeholder row of a fresh catalogue, in either mode.
  for (const char* mode : {kDynamicLineMode, kStaticLineMode}) {
    context.state->lineMode = mode;
    FillLineList(context, context.state->dynamicLines);
    lines().SimulateChoice(0);
    EXPECT_EQ(context.state->serverHost, "bj.test") << mode;
    EXPECT_EQ(Setting(kServerSetting), "bj.test") << mode;
    EXPECT_EQ(main().Label("透明标签_已选线路").Text(), "未选择") << mode;
  }
  EXPECT_TRUE(api.Requests().empty());
}

TEST_F(LineChoice, APickInAnUnknownModeOnlyTakesTheRow) {
  Download(context.state->dynamicLines, {Line("广东", "深圳", "sz.test")});
  FillLineList(context, context.state->dynamicLines);
  context.state->lineMode = "静态";
  lines().SimulateChoice(0);
  EXPECT_EQ(context.state->serverHost, "sz.test");
  EXPECT_EQ(main().Label("透明标签_已选线路").Text(), "未选择");
  EXPECT_EQ(Setting(kServerSetting), "");
}

}  // namespace
