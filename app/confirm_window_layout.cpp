#include "app/confirm_window_layout.h"

#include "ui/button_pictures.h"

namespace {

using namespace layout;

constexpr toolkit::ControlLayout kControls[] = {
    Label("透明标签_提示信息", 55, 43, 200, 40),
    Button("超级按钮_确认", 52, 118, 76, 30, kConfirmPictures),
    Button("超级按钮_取消", 177, 118, 76, 30, kCancelPictures),
    Label("透明标签_关闭", 288, 6, 32, 24),
};

}  // namespace

const toolkit::WindowLayout kConfirmWindowLayout{
    .name = kConfirmWindowName, .width = 323, .height = 197, .background = "confirm_background", .controls = kControls};
