#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/window.h"

namespace toolkit {

// The window system's services behind the windows: the notification area, window procedures
// (subclassing) and window properties. They keep the calling conventions of a 32-bit Windows
// program, so the code that uses them is the same on every backend; the Linux backends emulate
// them over their own windows.

using IconHandle = std::uint32_t;  // 0 is no icon
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

class Shell;

// A window procedure handles the messages sent to a window. The shell that delivers a message is
// passed along, so a procedure reaches the window's properties and its predecessor through it.
using WindowProcedure = LResult (*)(Shell& shell, WindowHandle window, std::uint32_t message, WParam wParam,
                                    LParam lParam);

// Messages, as the window system numbers them.
inline constexpr std::uint32_t kWmDestroy = 2;
inline constexpr std::uint32_t kWmLButtonDown = 513;
inline constexpr std::uint32_t kWmLButtonUp = 514;
inline constexpr std::uint32_t kWmLButtonDblClk = 515;

// What NotifyIcon does with a record.
inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;

// Which members of a record NotifyIcon takes (uFlags).
inline constexpr std::uint32_t kNifMessage = 0x01;  // uCallbackMessage
inline constexpr std::uint32_t kNifIcon = 0x02;     // hIcon
inline constexpr std::uint32_t kNifTip = 0x04;      // szTip
inline constexpr std::uint32_t kNifInfo = 0x10;     // szInfo, szInfoTitle, uTimeout, dwInfoFlags: a balloon

// One icon of the notification area, in the 488-byte form a 32-bit program hands the shell. Texts
// are in the system's code page, each ending at its first zero byte. The icon is known by its owner
// window and its identifier; the shell tells the owner about mouse activity on it by sending
// uCallbackMessage with wParam = uID and lParam = the mouse message (kWmLButtonDblClk …).
struct NotifyIconDataA {
  std::uint32_t cbSize;
  std::uint32_t hWnd;
  std::uint32_t uID;
  std::uint32_t uFlags;
  std::uint32_t uCallbackMessage;
  std::uint32_t hIcon;
  char szTip[128];
  std::uint32_t dwState;
  std::uint32_t dwStateMask;
  char szInfo[256];
  union {
    std::uint32_t uTimeout;  // milliseconds a balloon stays
    std::uint32_t uVersion;
  };
  char szInfoTitle[64];
  std::uint32_t dwInfoFlags;
};
static_assert(sizeof(NotifyIconDataA) == 488, "the record is exchanged in its 32-bit Windows layout");

class Shell {
 public:
  virtual ~Shell() = default;

  // The number of a message known by name to every window of the session: the same name gives the
  // same number (0xC000 or above) for as long as the session lasts.
  virtual std::uint32_t RegisterWindowMessage(std::string_view name) = 0;
  // Whether the handle names a window that exists.
  virtual bool IsWindow(WindowHandle window) = 0;
  // The icon the window shows as its small icon; 0 when it has none of its own.
  virtual IconHandle SmallIcon(WindowHandle window) = 0;
  // An icon made from one image of an icon file: a device-independent bitmap whose height counts
  // the colour rows and the mask rows, or a PNG. 0 when the bytes are no such image.
  virtual IconHandle CreateIconFromResource(std::string_view image) = 0;
  // Adds (kNimAdd) or changes (kNimModify) an icon of the notification area, taking the members
  // that uFlags names. False when the shell refuses: no notification area, no such owner window, an
  // icon added twice or changed before it was added.
  virtual bool NotifyIcon(std::uint32_t message, const NotifyIconDataA& data) = 0;

  // Gives the window a new procedure and returns the one it had, which the new one passes the
  // messages it does not handle to (CallWindowProcedure). Null, changing nothing, when there is
  // no such window.
  virtual WindowProcedure SetWindowProcedure(WindowHandle window, WindowProcedure procedure) = 0;
  // Runs a window procedure on a message; a null procedure handles nothing and gives 0.
  virtual LResult CallWindowProcedure(WindowProcedure procedure, WindowHandle window, std::uint32_t message,
                                      WParam wParam, LParam lParam) = 0;
  // Named values kept on a window for as long as it exists. Setting fails when there is no such
  // window; a name never set reads 0.
  virtual bool SetProperty(WindowHandle window, std::string_view name, std::uintptr_t value) = 0;
  virtual std::uintptr_t GetProperty(WindowHandle window, std::string_view name) = 0;

  // The bytes of the program's own icon file (.ico); empty when the program has none.
  virtual std::string ProgramIconFile() = 0;
};

}  // namespace toolkit
