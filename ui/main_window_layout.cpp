#include "ui/main_window_layout.h"

#include "ui/button_pictures.h"

namespace {

using namespace layout;

// The line list: the two last columns hold the host and the static address out of sight; a pick
// reads them back from the row.
constexpr toolkit::ListColumn kLineColumns[] = {
    {"", 8}, {"省份", 110}, {"城市", 200}, {"运营商", 110}, {"状态", 65}, {"服务器", 0}, {"静态ip", 0},
};
constexpr toolkit::ListColumn kProvinceColumns[] = {{"省份", 60}};
constexpr std::string_view kProvinceRows[] = {"全部"};

constexpr toolkit::ControlLayout WindowTitle() {
  toolkit::ControlLayout title = Label("透明标签_窗口标题", 8, 5, 100, 24, "  TrevaloIP v5.5");
  title.lightText = true;
  return title;
}

// The province drop-down stays closed until its label opens it.
constexpr toolkit::ControlLayout ProvinceList() {
  toolkit::ControlLayout list = List("超级列表框_省份", 273, 87, 87, 25, kProvinceColumns);
  list.rows = kProvinceRows;
  list.hidden = true;
  return list;
}

// Later controls lie over earlier ones.
constexpr toolkit::ControlLayout kControls[] = {
    // Title strip and account area.
    WindowTitle(),
    Label("透明标签_最小化", 795, 3, 21, 24),
    Label("透明标签_关闭", 832, 2, 28, 24),
    Label("透明标签_帐号", 664, 47, 76, 24),
    Label("透明标签_到期时间_内容", 664, 74, 122, 24),
    Label("透明标签_注销", 790, 48, 40, 24),

    // Line choice area.
    RadioMarkBox("图片框_动态线路", 27, 63),
    Label("透明标签_动态线路", 31, 62, 70, 20),
    RadioMarkBox("图片框_静态线路", 126, 64),
    Label("透明标签_静态线路", 129, 62, 70, 20),
    Label("透明标签_省份已选", 278, 64, 56, 16, "全部"),
    Label("透明标签_省份下拉按钮", 344, 63, 24, 17),
    Edit("编辑框_搜索", 400, 60, 81, 23),
    Label("透明标签_搜索", 489, 58, 39, 24),
    List("超级列表框_节点列表", 19, 133, 517, 392, kLineColumns),
    ProvinceList(),

    // Options.
    CheckMarkBox("图片框_定时重连", 598, 150),
    LabelIn("图片框_定时重连", "透明标签_是否定时重连", 1, 0, 65, 20),
    Edit("编辑框_定时重连秒数", 672, 149, 32, 21, "30"),
    Label("透明标签1", 704, 151, 27, 16, "秒"),
    Label("透明标签_定时重连错误提示", 728, 150, 128, 20),
    CheckMarkBox("图片框_掉线自动重连", 598, 177),
    Label("透明标签_掉线自动重连", 598, 176, 98, 20),
    CheckMarkBox("图片框_异常掉线禁止网卡", 598, 204),
    Label("透明标签_异常掉线禁止网卡", 600, 205, 115, 17),
    Label("透明标签_恢复网卡", 729, 200, 64, 24),
    CheckMarkBox("图片框_连接成功最小化", 598, 232),
    Label("透明标签_连接成功后自动最小化", 598, 231, 154, 20),
    CheckMarkBox("图片框_开机启动", 598, 257),
    Label("透明标签_电脑开机自动开启软件", 598, 256, 146, 20),

    // Protocol choice.
    RadioMarkBox("图片框_PPTP", 599, 320),
    LabelIn("图片框_PPTP", "透明标签_PPTP", 1, 0, 56, 16),
    RadioMarkBox("图片框_L2TP", 683, 320),
    Label("透明标签_L2TP", 685, 320, 51, 16),
    RadioMarkBox("图片框_SSTP", 763, 319),
    LabelIn("图片框_SSTP", "透明标签_SSTP", 5, 1, 48, 16),

    // Status and actions.
    Label("透明标签_已选线路", 676, 382, 168, 25, "未选择"),
    Label("透明标签_当前IP", 676, 411, 168, 25, "- -"),
    Label("透明标签_归属地", 676, 438, 168, 25, "- -"),
    Button("超级按钮_连接", 600, 481, 108, 34, kConnectPictures),
    Button("超级按钮_切换IP", 731, 481, 108, 34, kSwitchIpPictures),
    Label("透明标签_当前线路", 68, 536, 165, 17, "未选择"),
    Label("透明标签_连接状态", 283, 536, 573, 17, "未连接"),

    Timer("时钟_定时重连"),
    Timer("时钟_掉线自动重连"),
    Timer("时钟_异常掉线禁用网卡"),
};

}  // namespace

const toolkit::WindowLayout kMainWindowLayout{
    .name = kMainWindowName, .width = 862, .height = 560, .background = "main_background", .controls = kControls};
