#include "toolkit/headless/headless_shell.h"

#include <cstring>

namespace toolkit::headless {

namespace {

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";
constexpr std::size_t kBitmapInfoHeaderSize = 40;

bool LooksLikeIconImage(std::string_view image) {
  if (image.starts_with(kPngSignature)) return true;
  if (image.size() < kBitmapInfoHeaderSize) return false;
  std::uint32_t headerSize = 0;
  std::memcpy(&headerSize, image.data(), sizeof headerSize);
  return headerSize == kBitmapInfoHeaderSize;
}

// The members of an icon that a record changes are those its flags name.
void TakeNamedMembers(NotifyIconDataA& shown, const NotifyIconDataA& data) {
  if (data.uFlags & kNifMessage) shown.uCallbackMessage = data.uCallbackMessage;
  if (data.uFlags & kNifIcon) shown.hIcon = data.hIcon;
  if (data.uFlags & kNifTip) std::memcpy(shown.szTip, data.szTip, sizeof shown.szTip);
  if (data.uFlags & kNifInfo) {
    std::memcpy(shown.szInfo, data.szInfo, sizeof shown.szInfo);
    std::memcpy(shown.szInfoTitle, data.szInfoTitle, sizeof shown.szInfoTitle);
    shown.uTimeout = data.uTimeout;
    shown.dwInfoFlags = data.dwInfoFlags;
  }
}

}  // namespace

IconHandle HeadlessShell::SmallIcon(WindowHandle window) {
  auto found = smallIcons_.find(window);
  return found != smallIcons_.end() && IsWindow(window) ? found->second : 0;
}

IconHandle HeadlessShell::CreateIconFromResource(std::string_view image) {
  if (!LooksLikeIconImage(image)) return 0;
  IconHandle icon = nextIcon_++;
  icons_.emplace(icon, std::string(image));
  return icon;
}

bool HeadlessShell::NotifyIcon(std::uint32_t message, const NotifyIconDataA& data) {
  notifyIconCalls_.push_back({message, data});
  if (!notificationArea_) return false;
  auto key = std::pair(data.hWnd, data.uID);
  auto shown = shownIcons_.find(key);
  if (message == kNimAdd) {
    if (shown != shownIcons_.end() || !IsWindow(data.hWnd)) return false;
    shown = shownIcons_.emplace(key, NotifyIconDataA{}).first;
    shown->second.hWnd = data.hWnd;
    shown->second.uID = data.uID;
  } else if (message != kNimModify || shown == shownIcons_.end()) {
    return false;
  }
  TakeNamedMembers(shown->second, data);
  return true;
}

const NotifyIconDataA* HeadlessShell::ShownIcon(WindowHandle owner, std::uint32_t id) const {
  auto found = shownIcons_.find(std::pair(owner, id));
  return found == shownIcons_.end() ? nullptr : &found->second;
}

const std::string* HeadlessShell::IconImage(IconHandle icon) const {
  auto found = icons_.find(icon);
  return found == icons_.end() ? nullptr : &found->second;
}

std::optional<LResult> HeadlessShell::SimulateIconMouse(WindowHandle owner, std::uint32_t id,
                                                        std::uint32_t mouseMessage) {
  const NotifyIconDataA* icon = ShownIcon(owner, id);
  if (icon == nullptr || icon->uCallbackMessage == 0) return std::nullopt;
  return SendMessage(owner, icon->uCallbackMessage, id, mouseMessage);
}

void HeadlessShell::SimulateTaskbarCreated() {
  shownIcons_.clear();
  BroadcastMessage(RegisterWindowMessage("TaskbarCreated"), 0, 0);
}

}  // namespace toolkit::headless
