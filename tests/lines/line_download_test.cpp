#include "lines/line_download.h"

#include <gtest/gtest.h>

#include "tests/support/app_fixture.h"
#include "tests/support/loopback_http_server.h"
#include "ui/main_window_layout.h"

namespace {

const std::string kDynamicList =
    R"({"code": 200, "data": [{"province": "广东", "city": "深圳", "domain": "A.test", "isp": "电信", "status": 0}]})";

class LineDownload : public AppFixture {
 protected:
  void Serve(ScriptedResponse response) {
    api = std::make_unique<LoopbackHttpServer>(std::vector<ScriptedResponse>{std::move(response)});
    context.configuration.apiPort = api->port();
  }
  std::string ShownAfter(void (*update)(AppContext&, AppState&)) {
    toolkit::TransparentLabel& label = ui.LoadWindow(kMainWindowLayout, nullptr).Label("透明标签_当前线路");
    label.SetText("");
    update(context, *context.state);
    ui.ProcessPendingMessages();
    return label.Text();
  }
  std::unique_ptr<LoopbackHttpServer> api;
};

TEST_F(LineDownload, UpdateErrorTable) {
  struct {
    ScriptedResponse answer;
    void (*update)(AppContext&, AppState&);
    const char* shown;
  } cases[] = {
      {MakeResponse("HTTP/1.1 500 Server Error", {}, kDynamicList), UpdateDynamicLines, "下载线路数据错误:1"},
      {MakeResponse("HTTP/1.1 200 OK", {}, "<html>"), UpdateDynamicLines, "下载线路数据错误:2"},
      {MakeResponse("HTTP/1.1 200 OK", {}, R"({"data": []})"), UpdateDynamicLines, "下载线路数据错误:0"},
      {MakeResponse("HTTP/1.1 200 OK", {}, kDynamicList), UpdateStaticLines, "下载线路数据错误:200"},
      {MakeResponse("HTTP/1.1 200 OK", {}, R"({"code": 100, "data": []})"), UpdateDynamicLines,
       "下载线路数据错误:100"},
      {MakeResponse("HTTP/1.1 200 OK", {}, R"({"code": 200, "data": []})"), UpdateDynamicLines, "处理线路数据错误"},
      {MakeResponse("HTTP/1.1 200 OK", {}, R"({"code": 200.9})"), UpdateDynamicLines, "处理线路数据错误"},
  };
  for (auto& c : cases) {
    Serve(c.answer);
    EXPECT_EQ(ShownAfter(c.update), c.shown) << c.answer.raw;
    // A failure leaves the catalogue as it was: the placeholder line, not abandoned.
    EXPECT_EQ(context.state->dynamicLines.groups.size(), 1u);
    EXPECT_EQ(context.state->dynamicLines.groups[0].lines[0].status, 0);
    EXPECT_EQ(context.state->dynamicDownloadBusy.load(), 0);
  }
  Serve(MakeResponse("HTTP/1.1 200 OK", {}, "{}"));
  context.configuration.apiPort = ClosedLoopbackPort();
  EXPECT_EQ(ShownAfter(UpdateDynamicLines), "下载线路数据错误:1");
}

TEST_F(LineDownload, UpdateMergesAndSaysSo) {
  Serve(MakeResponse("HTTP/1.1 200 OK", {}, kDynamicList));
  EXPECT_EQ(ShownAfter(UpdateDynamicLines), "更新线路成功");
  EXPECT_EQ(context.state->serverListUrl, "http://127.0.0.1:" + std::to_string(api->port()) + "/serverlistpc/");
  ASSERT_EQ(context.state->dynamicLines.groups.size(), 2u);
  EXPECT_EQ(context.state->dynamicLines.groups[1].lines[0].domain, "a.test");
}

TEST_F(LineDownload, AWorkerFindingItsListBusyEndsAtOnceShowingNothing) {
  Serve(MakeResponse("HTTP/1.1 200 OK", {}, kDynamicList));
  context.state->dynamicDownloadBusy = 1;
  EXPECT_EQ(ShownAfter(UpdateDynamicLines), "");
  LoadDynamicLines(context, *context.state);
  EXPECT_TRUE(api->Requests().empty());
  EXPECT_EQ(context.state->dynamicDownloadBusy.load(), 1);
  // The other list is not held up.
  LoadStaticLines(context, *context.state);
  EXPECT_EQ(api->Requests().size(), 1u);
}

TEST_F(LineDownload, LoadMergesSilently) {
  Serve(MakeResponse("HTTP/1.1 200 OK", {},
                     R"({"code": 100, "data": [{"province": "北京", "domain": "s.test", "ip": "203.0.113.9"}]})"));
  ui.LoadWindow(kMainWindowLayout, nullptr).Label("透明标签_当前线路").SetText("unchanged");
  StartLoadStaticLines(context);
  context.workers.JoinAll();
  ui.ProcessPendingMessages();
  EXPECT_EQ(Window(kMainWindowName).Label("透明标签_当前线路").Text(), "unchanged");
  std::lock_guard lock(context.state->staticLines.lock);
  ASSERT_EQ(context.state->staticLines.groups.size(), 2u);
  EXPECT_EQ(context.state->staticLines.groups[1].lines[0].ip, "203.0.113.9");
  EXPECT_EQ(context.state->staticDownloadBusy.load(), 0);
}

}  // namespace
