#include "account/login_window_layout.h"

#include "ui/button_pictures.h"

namespace {

using namespace layout;

// Later controls lie over earlier ones: each switch's label covers its tick box.
constexpr toolkit::ControlLayout kControls[] = {
    Edit("编辑框_帐号", 82, 246, 262, 38),
    [] {
      toolkit::ControlLayout password = Edit("编辑框_密码", 82, 298, 262, 38);
      password.password = true;
      return password;
    }(),
    CheckMarkBox("图片框_记住密码", 83, 360),
    Label("透明标签_记住密码", 84, 360, 80, 20, "      记住密码"),
    CheckMarkBox("图片框_自动登录", 254, 361),
    Label("透明标签_自动登录", 257, 361, 80, 20, "      自动登录"),
    Button("超级按钮_登录", 35, 406, 309, 40, kLoginPictures),
    Label("透明标签_登录状态", 38, 461, 304, 20),
    Label("透明标签_关闭", 344, 16, 24, 16),
    Timer("时钟1"),
    // The hand-over bar waits wholly outside the window, on its left.
    Picture("图片框1", -500, 487, 500, 6, "progress_bar"),
};

}  // namespace

const toolkit::WindowLayout kLoginWindowLayout{
    .name = kLoginWindowName, .width = 380, .height = 492, .background = "login_background", .controls = kControls};
