#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "platform/paths.h"
#include "toolkit/qt/qt_ui.h"
#include "toolkit/qt/qt_window.h"

namespace {

using toolkit::ControlKind;

// A window of the client's own pictures, copied beside this program as beside the client; a picture
// whose name they lack shows nothing, which this test does not mind.
constexpr toolkit::ControlLayout kControls[] = {
    {.name = "title",
     .kind = ControlKind::TransparentLabel,
     .left = 8,
     .top = 5,
     .width = 120,
     .height = 24,
     .text = "  TrevaloIP v5.5",
     .lightText = true},
    {.name = "account",
     .kind = ControlKind::EditBox,
     .left = 82,
     .top = 246,
     .width = 262,
     .height = 38,
     .text = "\xB2\xE2\xCA\xD4\xD5\xCA\xBA\xC5"},  // 测试帐号
    {.name = "password",
     .kind = ControlKind::EditBox,
     .left = 82,
     .top = 298,
     .width = 262,
     .height = 38,
     .text = "secret",
     .password = true},
    {.name = "tick",
     .kind = ControlKind::PictureBox,
     .left = 83,
     .top = 360,
     .width = 20,
     .height = 20,
     .tag = "yes",
     .picture = "tick"},
    {.name = "remember",
     .kind = ControlKind::TransparentLabel,
     .left = 84,
     .top = 360,
     .width = 80,
     .height = 20,
     .text = "      \xBC\xC7\xD7\xA1\xC3\xDC\xC2\xEB"},  // 记住密码
    {.name = "login",
     .kind = ControlKind::ImageButton,
     .left = 35,
     .top = 406,
     .width = 309,
     .height = 40,
     .picture = "login_normal",
     .hotPicture = "login_hot",
     .disabledPicture = "login_disabled"},
    {.name = "status",
     .kind = ControlKind::TransparentLabel,
     .left = 38,
     .top = 461,
     .width = 304,
     .height = 20,
     .text = "\xC1\xAC\xBD\xD3\xB3\xC9\xB9\xA6"},  // 连接成功
};
constexpr toolkit::WindowLayout kLayout{
    .name = "LookWindow", .width = 380, .height = 492, .background = "login_background", .controls = kControls};

std::filesystem::path ProgramFolder() { return std::filesystem::path(platform::ProgramPath()).parent_path(); }

TEST(QtLook, ChineseTextIsWrittenInTheChineseFont) {
  int argc = 1;
  char program[] = "toolkit_qt_look_test";
  char* argv[] = {program, nullptr};
  toolkit::qt::QtUi ui(argc, argv, ProgramFolder() / "assets" / "pictures");
  auto& window = static_cast<toolkit::qt::QtWindow&>(ui.LoadWindow(kLayout, nullptr));
  window.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto& status = window.Label("status");

  QFontInfo font(status.font());
  EXPECT_EQ(font.family(), QStringLiteral("WenQuanYi Micro Hei"));
  EXPECT_EQ(font.pixelSize(), 12);
  EXPECT_TRUE(QFontMetrics(status.font()).inFont(QChar(u'连')));
  EXPECT_EQ(status.text(), QStringLiteral("连接成功"));

  // Something is written where the status stands, dark on the light background...
  QImage shot = window.grab().toImage();
  int darkest = 255;
  for (int x = 38; x < 38 + 80; ++x) {
    for (int y = 461; y < 481; ++y) darkest = std::min(darkest, qGray(shot.pixel(x, y)));
  }
  EXPECT_LT(darkest, 128);
  // ...and a label marked for a dark background writes light.
  EXPECT_EQ(window.Label("title").palette().color(QPalette::WindowText), QColor(Qt::white));

  std::filesystem::path saved = ProgramFolder() / "toolkit_qt_look.png";
  EXPECT_TRUE(shot.save(QString::fromStdString(saved.string()), "PNG"));
  std::printf("window saved to %s\n", saved.c_str());
}

}  // namespace
