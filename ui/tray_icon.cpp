#include "ui/tray_icon.h"

#include <cstring>

namespace {

constexpr std::uint32_t kIconId = 1;
constexpr std::uint32_t kIconFlags = toolkit::kNifMessage | toolkit::kNifIcon | toolkit::kNifTip | toolkit::kNifInfo;
constexpr std::uint32_t kCallbackMessage = 0x2DA5;
constexpr std::uint32_t kBalloonTimeout = 10000;
constexpr std::size_t kLongestTip = sizeof(toolkit::NotifyIconDataA::szTip) - 1;

// The owner window's properties that TrayWindowProc works from.
constexpr std::string_view kWinProcProperty = "WinProc";
constexpr std::string_view kCallbackMessageProperty = "CallbackMessage";
constexpr std::string_view kTaskbarCreatedMessageProperty = "TaskbarCreatedMessage";
constexpr std::string_view kExecEventProperty = "Exec Event";

// An icon file: a 6-byte header (reserved, type, image count), then one 16-byte directory entry per
// image: width, height, colour count, reserved (a byte each), planes, bits per pixel (two bytes
// each), the image's size and its offset from the start of the file (four bytes each).
constexpr std::size_t kIcoHeaderSize = 6;
constexpr std::size_t kIcoEntrySize = 16;

std::uint32_t ReadLittleEndian(std::string_view bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// An entry's side of 0 means 256, the one side a byte cannot hold.
int ImageSide(char byte) {
  int side = static_cast<unsigned char>(byte);
  return side == 0 ? 256 : side;
}

bool IsLeadByte(char byte) {
  auto value = static_cast<unsigned char>(byte);
  return value >= 0x81 && value <= 0xFE;
}

// How much of the tip the record holds: at most kLongestTip bytes, ending on a character boundary.
std::size_t TipLength(std::string_view tip) {
  std::size_t length = 0;
  while (length < tip.size()) {
    std::size_t next = length + (IsLeadByte(tip[length]) && length + 1 < tip.size() ? 2 : 1);
    if (next > kLongestTip) break;
    length = next;
  }
  return length;
}

toolkit::WindowProcedure ProcedureOf(std::uintptr_t property) {
  return reinterpret_cast<toolkit::WindowProcedure>(property);
}

}  // namespace

TrayIcon::TrayIcon(toolkit::Shell& shell)
    : taskbarCreatedMessage_(shell.RegisterWindowMessage("TaskbarCreated")), shell_(shell) {}

TrayIcon::~TrayIcon() {
  if (shell_.GetProperty(ownerWindow_, kExecEventProperty) == reinterpret_cast<std::uintptr_t>(&eventRoutine_)) {
    shell_.SetProperty(ownerWindow_, kExecEventProperty, 0);
  }
}

bool TrayIcon::AddIcon(toolkit::WindowHandle window, std::string_view iconFile, bool useIconFile,
                       std::string_view tip) {
  if (!shell_.IsWindow(window)) return false;
  ownerWindow_ = window;
  toolkit::IconHandle icon = useIconFile ? IconFromIcoData(iconFile, 0).icon : shell_.SmallIcon(window);
  notifyData_.cbSize = sizeof notifyData_;
  notifyData_.hWnd = window;
  notifyData_.uID = kIconId;
  notifyData_.uFlags = kIconFlags;
  notifyData_.uCallbackMessage = kCallbackMessage;
  notifyData_.hIcon = icon;
  notifyData_.uTimeout = kBalloonTimeout;
  CopyTip(tip);
  bool added = shell_.NotifyIcon(toolkit::kNimAdd, notifyData_);
  iconShown_ = iconShown_ || added;
  return added;
}

bool TrayIcon::SetTip(std::string_view tip) {
  CopyTip(tip);
  return shell_.NotifyIcon(toolkit::kNimModify, notifyData_);
}

void TrayIcon::CopyTip(std::string_view tip) {
  std::memset(notifyData_.szTip, 0, sizeof notifyData_.szTip);
  std::memcpy(notifyData_.szTip, tip.data(), TipLength(tip));
}

bool TrayIcon::SetIcon(std::string_view iconFile) {
  toolkit::IconHandle icon = IconFromIcoData(iconFile, 0).icon;
  if (icon == 0) return false;
  notifyData_.uFlags = kIconFlags;
  notifyData_.hIcon = icon;
  return shell_.NotifyIcon(toolkit::kNimModify, notifyData_);
}

IcoImage TrayIcon::IconFromIcoData(std::string_view iconFile, int index) {
  if (iconFile.size() < kIcoHeaderSize || index < 0 ||
      static_cast<std::uint32_t>(index) >= ReadLittleEndian(iconFile, 4, 2)) {
    return {};
  }
  const std::size_t entry = kIcoHeaderSize + kIcoEntrySize * static_cast<std::size_t>(index);
  if (entry + kIcoEntrySize > iconFile.size()) return {};
  const std::size_t size = ReadLittleEndian(iconFile, entry + 8, 4);
  const std::size_t offset = ReadLittleEndian(iconFile, entry + 12, 4);
  if (offset > iconFile.size() || size > iconFile.size() - offset) return {};
  return {.icon = shell_.CreateIconFromResource(iconFile.substr(offset, size)),
          .width = ImageSide(iconFile[entry]),
          .height = ImageSide(iconFile[entry + 1])};
}

void TrayIcon::SetEventRoutine(TrayEventRoutine routine, bool installRoutine) {
  if (!shell_.IsWindow(ownerWindow_)) return;
  toolkit::WindowProcedure previous = shell_.SetWindowProcedure(ownerWindow_, TrayWindowProc);
  // Installed on a window a second time, the tray procedure would become its own predecessor and
  // hand every message it does not handle to itself for ever; the window keeps its real one.
  if (previous == TrayWindowProc) previous = ProcedureOf(shell_.GetProperty(ownerWindow_, kWinProcProperty));
  previousWindowProc_ = previous;
  shell_.SetProperty(ownerWindow_, kWinProcProperty, reinterpret_cast<std::uintptr_t>(previous));
  shell_.SetProperty(ownerWindow_, kCallbackMessageProperty, kCallbackMessage);
  shell_.SetProperty(ownerWindow_, kTaskbarCreatedMessageProperty, taskbarCreatedMessage_);
  if (installRoutine) {
    eventRoutine_ = std::move(routine);
    // An empty routine is no routine: the events then go on to the window's own procedure.
    shell_.SetProperty(ownerWindow_, kExecEventProperty,
                       eventRoutine_ ? reinterpret_cast<std::uintptr_t>(&eventRoutine_) : 0);
  }
}

toolkit::LResult TrayIcon::TrayWindowProc(toolkit::Shell& shell, toolkit::WindowHandle window, std::uint32_t message,
                                          toolkit::WParam wParam, toolkit::LParam lParam) {
  toolkit::WindowProcedure previous = ProcedureOf(shell.GetProperty(window, kWinProcProperty));
  std::uintptr_t callbackMessage = shell.GetProperty(window, kCallbackMessageProperty);
  std::uintptr_t taskbarCreatedMessage = shell.GetProperty(window, kTaskbarCreatedMessageProperty);
  const auto* routine = reinterpret_cast<const TrayEventRoutine*>(shell.GetProperty(window, kExecEventProperty));
  if (routine != nullptr) {
    if (message == callbackMessage) {
      (*routine)(static_cast<int>(lParam));
      return 0;
    }
    if (message == taskbarCreatedMessage) {
      (*routine)(kTaskbarCreatedEvent);
      return 0;
    }
    if (message == toolkit::kWmDestroy) (*routine)(kOwnerDestroyedEvent);
  }
  return shell.CallWindowProcedure(previous, window, message, wParam, lParam);
}
