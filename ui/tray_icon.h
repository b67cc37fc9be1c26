#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>

#include "toolkit/shell.h"

// What the owner of the tray icon hears about it, as one event code: the mouse message of a
// notification (toolkit::kWmLButtonDblClk for a left double-click, …), kTaskbarCreatedEvent when
// the desktop has made its taskbar anew, kOwnerDestroyedEvent when the owner window is being
// destroyed.
using TrayEventRoutine = std::function<void(int eventCode)>;

inline constexpr int kTaskbarCreatedEvent = 1120;
inline constexpr int kOwnerDestroyedEvent = 1130;

// One image of an icon file made into an icon.
struct IcoImage {
  toolkit::IconHandle icon = 0;  // 0 when none could be made
  int width = 0;
  int height = 0;
};

// The client's icon in the notification area: one icon for one owner window, with its tip and
// picture, whose mouse activity reaches a routine of the owner's. It takes the messages over by
// replacing the owner window's procedure; what it needs at each message it keeps in properties of
// the window, so the replacement procedure needs nothing else.
//
// The icon stays until the process ends: destroying the object neither removes it nor gives the
// window its procedure back. It only stops the window calling the routine the object held.
class TrayIcon {
 public:
  // Registers the taskbar-created message; the notify record starts all zero.
  explicit TrayIcon(toolkit::Shell& shell);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Adds the icon for the window, with the first image of the icon file or, without the flag, the
  // window's own small icon, and the tip. False, changing nothing, when there is no such window;
  // else whether the shell took the icon.
  bool AddIcon(toolkit::WindowHandle window, std::string_view iconFile, bool useIconFile, std::string_view tip);
  // Whether an icon has been added, and so stands in the notification area.
  bool IconShown() const { return iconShown_; }
  // Shows a new tip. The record holds 127 bytes of it: a longer tip is cut there, and a double-byte
  // character that would not fit whole is left out whole, so the tip never ends in half a character.
  bool SetTip(std::string_view tip);
  // Shows the first image of the icon file. False, keeping the icon shown, when no icon can be made
  // of it.
  bool SetIcon(std::string_view iconFile);
  // Makes an icon of image `index` of an icon file; its width and height are the directory entry's.
  // A file that cannot hold that image where its directory says (shorter than its header, an index
  // beyond its image count or its directory, image bytes outside the file) gives nothing at all.
  IcoImage IconFromIcoData(std::string_view iconFile, int index);
  // Puts TrayWindowProc in front of the owner window's procedure and, with the flag, makes the
  // routine the one the icon's events go to. Nothing, when the owner window does not exist.
  void SetEventRoutine(TrayEventRoutine routine, bool installRoutine);

  // The owner window's procedure while the icon serves it: the icon's callback message and the
  // taskbar-created message go to the routine and end there; kWmDestroy is told to the routine and
  // then, as every other message, handled by the window's own procedure, whose result it gives.
  static toolkit::LResult TrayWindowProc(toolkit::Shell& shell, toolkit::WindowHandle window, std::uint32_t message,
                                         toolkit::WParam wParam, toolkit::LParam lParam);

 private:
  void CopyTip(std::string_view tip);

  std::uint32_t taskbarCreatedMessage_;
  toolkit::NotifyIconDataA notifyData_{};
  toolkit::WindowProcedure previousWindowProc_ = nullptr;
  toolkit::WindowHandle ownerWindow_ = 0;
  toolkit::Shell& shell_;
  TrayEventRoutine eventRoutine_;  // the owner window's "Exec Event" property points here
  bool iconShown_ = false;
};
