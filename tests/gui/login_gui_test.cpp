// The real login window on the real toolkit, against the reference line service: typed into and
// clicked as a user does, through the window system's entry point.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <QWindow>
#include <filesystem>

#include "account/login_window_layout.h"
#include "app/app_context.h"
#include "app/confirm_window_layout.h"
#include "app/login_window.h"
#include "platform/codepage.h"
#include "platform/internet_check.h"
#include "platform/remote_access.h"
#include "platform/paths.h"
#include "tests/support/fake_remote_access.h"
#include "tests/support/line_service_process.h"
#include "tests/support/temp_folder.h"
#include "toolkit/qt/qt_ui.h"
#include "toolkit/qt/qt_window.h"
#include "ui/main_window_layout.h"

namespace {

// Screenshots go where the README shows them from, when the source folder is known.
std::filesystem::path ScreenshotFolder() {
  const char* folder = std::getenv("TREVALO_SCREENSHOTS");
  return folder != nullptr ? folder : testing::TempDir();
}

// A text of the system's, from the UTF-8 this file is written in.
std::string Gbk(const char* text) { return platform::Utf8ToAnsi(text); }

std::filesystem::path ProgramFolder() { return std::filesystem::path(platform::ProgramPath()).parent_path(); }

class LoginGui : public testing::Test {
 protected:
  void SetUp() override {
    int port = service.WaitForListening();
    ASSERT_GT(port, 0);
    context.services.createRequestObject = platform::CreateHttpRequestObject;
    context.services.claimSingleInstance = [](std::string_view) { return true; };
    context.services.isInternetConnected = platform::IsInternetConnected;
    context.services.remoteAccess = &remoteAccess;
    context.configuration = {.apiHost = "127.0.0.1",
                             .apiPort = port,
                             .internetCheckUrl = "http://127.0.0.1:" + std::to_string(port) + "/ipinfohtml/",
                             .defaultServerHost = "127.1.0.1"};
    LoadLoginWindow(context).Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Login()));
  }
  void TearDown() override {
    context.workers.JoinAll();
    service.Signal(SIGTERM);
    EXPECT_EQ(service.WaitForExit(), 0);
  }

  toolkit::qt::QtWindow& Window(const char* name) { return static_cast<toolkit::qt::QtWindow&>(*ui.FindWindow(name)); }
  toolkit::qt::QtWindow& Login() { return Window(kLoginWindowName); }

  // A click where the control lies, landing on whatever is on top there.
  static void Click(QWidget& control) {
    QTest::mouseClick(control.window()->windowHandle(), Qt::LeftButton, {},
                      control.mapTo(control.window(), control.rect().center()));
  }
  // A click on a row of a list, at the middle of its province cell.
  static void ClickRow(toolkit::qt::QtList& list, int row) {
    QRect cell = list.visualRect(list.model()->index(row, 1));
    QPoint inWindow = list.viewport()->mapTo(list.window(), cell.center());
    QTest::mouseClick(list.window()->windowHandle(), Qt::LeftButton, {}, inWindow);
  }
  void TypeInto(QWidget& edit, const std::string& text) {
    Click(edit);
    QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(text));
  }
  // Handles messages until the condition holds, for at most a few seconds of real time.
  bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 500 && !condition(); ++i) ui.WaitProcessingMessages(10);
    return condition();
  }
  static void Screenshot(QWidget& window, const char* name) {
    std::filesystem::path path = ScreenshotFolder() / name;
    ASSERT_TRUE(window.grab().save(QString::fromStdString(path.string()), "PNG")) << path;
  }

  TempFolder folder;
  ScopedEnvironment tmpdir{"TMPDIR", folder.path().c_str()};
  LineServiceProcess service{{"--port", "0", "--db", folder.File("lines.db")}};
  int argc = 1;
  char program[16] = "TrevaloIP";
  char* argv[2] = {program, nullptr};
  toolkit::qt::QtUi ui{argc, argv, ProgramFolder() / "assets" / "pictures"};
  FakeRemoteAccess remoteAccess;
  AppContext context{.state = InitAppState(ui), .ui = ui, .services = {}, .configuration = {}, .workers = {}};
};

TEST_F(LoginGui, AWrongPasswordShowsTheServicesRefusalThenTheRightOneHandsOver) {
  toolkit::qt::QtWindow& login = Login();
  TypeInto(login.Edit(Gbk("编辑框_帐号")), "demo");
  TypeInto(login.Edit(Gbk("编辑框_密码")), "wrong");
  EXPECT_EQ(login.Edit(Gbk("编辑框_密码")).echoMode(), QLineEdit::Password);
  Click(login.Label(Gbk("透明标签_记住密码")));
  EXPECT_EQ(login.Picture(Gbk("图片框_记住密码")).Tag(), "yes");

  Click(login.Button(Gbk("超级按钮_登录")));
  EXPECT_EQ(login.Label(Gbk("透明标签_登录状态")).Text(), Gbk("账号或密码错误"));
  Screenshot(login, "login-window.png");

  login.Edit(Gbk("编辑框_密码")).clear();
  TypeInto(login.Edit(Gbk("编辑框_密码")), "demo123");
  Click(login.Button(Gbk("超级按钮_登录")));
  EXPECT_EQ(login.Label(Gbk("透明标签_登录状态")).Text(), "");
  ASSERT_TRUE(WaitFor([&] { return ui.FindWindow(kMainWindowName) && Window(kMainWindowName).isVisible(); }));
  EXPECT_FALSE(login.isVisible());
  EXPECT_TRUE(login.Button(Gbk("超级按钮_登录")).isEnabled());
  EXPECT_EQ(context.state->account, "demo");

  toolkit::qt::QtWindow& main = Window(kMainWindowName);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  EXPECT_EQ(main.Label(Gbk("透明标签_帐号")).Text(), "demo");
  EXPECT_EQ(main.Label(Gbk("透明标签_已选线路")).Text(), Gbk("全国混播混合1"));
  // The delayed refresh shows the lines the service sent.
  toolkit::qt::QtList& lines = main.List(Gbk("超级列表框_节点列表"));
  ASSERT_TRUE(WaitFor([&] { return lines.RowCount() > 100; }));
  ClickRow(lines, 2);
  std::string picked = lines.Cell(2, 1) + lines.Cell(2, 2);
  EXPECT_EQ(main.Label(Gbk("透明标签_已选线路")).Text(), picked);
  EXPECT_EQ(context.state->serverHost, lines.Cell(2, 5));
  Click(main.Label(Gbk("透明标签_L2TP")));
  EXPECT_EQ(context.state->protocol, "L2TP");
  ui.ProcessPendingMessages();
  Screenshot(main, "main-window.png");

  Click(main.Label(Gbk("透明标签_注销")));
  toolkit::qt::QtWindow& confirm = Window(kConfirmWindowName);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&confirm));
  EXPECT_EQ(confirm.Label(Gbk("透明标签_提示信息")).Text(), Gbk("确认注销吗？"));
  Screenshot(confirm, "confirm-window.png");

  Click(confirm.Button(Gbk("超级按钮_确认")));
  EXPECT_TRUE(WaitFor([&] { return login.isVisible() && !main.isVisible(); }));
  EXPECT_EQ(login.Edit(Gbk("编辑框_帐号")).Text(), "demo");
}

}  // namespace
