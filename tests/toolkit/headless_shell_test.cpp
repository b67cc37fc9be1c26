#include "toolkit/headless/headless_shell.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/message_log.h"

namespace {

using toolkit::NotifyIconDataA;
using toolkit::headless::HeadlessShell;

NotifyIconDataA Record(toolkit::WindowHandle owner, std::uint32_t flags, const char* tip) {
  NotifyIconDataA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = 1;
  data.uFlags = flags;
  data.uCallbackMessage = 0x8001;
  data.hIcon = 0x77;
  std::snprintf(data.szTip, sizeof data.szTip, "%s", tip);
  return data;
}

TEST(HeadlessShell, MessagesRegisteredByNameKeepTheirNumber) {
  HeadlessShell shell;
  std::uint32_t taskbar = shell.RegisterWindowMessage("TaskbarCreated");
  EXPECT_GE(taskbar, 0xC000u);
  EXPECT_NE(shell.RegisterWindowMessage("Other"), taskbar);
  EXPECT_EQ(shell.RegisterWindowMessage("TaskbarCreated"), taskbar);
}

TEST(HeadlessShell, AWindowsProcedureAndPropertiesLastUntilItIsDestroyed) {
  HeadlessShell shell;
  toolkit::WindowHandle window = shell.AddWindow();
  EXPECT_TRUE(shell.IsWindow(window));
  EXPECT_EQ(shell.SendMessage(window, 0x100, 1, 2), 0);  // a new window handles nothing

  MessageLog log;
  log.Attach(shell, window);
  EXPECT_EQ(shell.SendMessage(window, 0x100, 1, 2), MessageLog::ResultFor(0x100));
  EXPECT_TRUE(shell.SetProperty(window, "Name", 42));
  EXPECT_EQ(shell.GetProperty(window, "Name"), 42u);
  EXPECT_EQ(shell.GetProperty(window, "Unset"), 0u);

  shell.DestroyWindow(window);
  EXPECT_EQ(log.lines, (std::vector<std::string>{MessageLog::Message(0x100, 1, 2), MessageLog::Message(2, 0, 0)}));
  EXPECT_FALSE(shell.IsWindow(window));
  EXPECT_EQ(shell.GetProperty(window, "Name"), 0u);
  EXPECT_FALSE(shell.SetProperty(window, "Name", 1));
  EXPECT_EQ(shell.SetWindowProcedure(window, nullptr), nullptr);
  EXPECT_EQ(shell.SendMessage(window, 0x100, 1, 2), 0);
  EXPECT_EQ(log.lines.size(), 2u);
}

TEST(HeadlessShell, AnIconIsAddedOnceAndChangedOnlyInTheMembersItsRecordNames) {
  HeadlessShell shell;
  toolkit::WindowHandle owner = shell.AddWindow();
  EXPECT_FALSE(shell.NotifyIcon(toolkit::kNimModify, Record(owner, toolkit::kNifTip, "early")));
  EXPECT_FALSE(shell.NotifyIcon(toolkit::kNimAdd, Record(owner + 1, toolkit::kNifTip, "nobody's")));
  ASSERT_TRUE(shell.NotifyIcon(toolkit::kNimAdd, Record(owner, toolkit::kNifMessage | toolkit::kNifTip, "first")));
  EXPECT_FALSE(shell.NotifyIcon(toolkit::kNimAdd, Record(owner, toolkit::kNifTip, "again")));

  NotifyIconDataA iconOnly = Record(owner, toolkit::kNifIcon, "not taken");
  iconOnly.uCallbackMessage = 0x9999;
  ASSERT_TRUE(shell.NotifyIcon(toolkit::kNimModify, iconOnly));
  const NotifyIconDataA* shown = shell.ShownIcon(owner, 1);
  ASSERT_NE(shown, nullptr);
  EXPECT_STREQ(shown->szTip, "first");
  EXPECT_EQ(shown->uCallbackMessage, 0x8001u);
  EXPECT_EQ(shown->hIcon, 0x77u);
  EXPECT_EQ(shell.NotifyIconCalls().size(), 5u);

  MessageLog log;
  log.Attach(shell, owner);
  EXPECT_EQ(shell.SimulateIconMouse(owner, 1, toolkit::kWmLButtonDblClk), MessageLog::ResultFor(0x8001));
  EXPECT_EQ(shell.SimulateIconMouse(owner, 2, toolkit::kWmLButtonDblClk), std::nullopt);
  EXPECT_EQ(log.lines, (std::vector<std::string>{MessageLog::Message(0x8001, 1, toolkit::kWmLButtonDblClk)}));
}

TEST(HeadlessShell, WithoutANotificationAreaEveryIconCallFails) {
  HeadlessShell shell;
  shell.SetNotificationArea(false);
  EXPECT_FALSE(shell.NotifyIcon(toolkit::kNimAdd, Record(shell.AddWindow(), toolkit::kNifTip, "tip")));
  EXPECT_EQ(shell.NotifyIconCalls().size(), 1u);
}

TEST(HeadlessShell, OnlyWhatStartsAsAnIconImageBecomesAnIcon) {
  HeadlessShell shell;
  const std::string bitmap = std::string("\x28\0\0\0", 4) + std::string(36, '\0');
  const std::string png = "\x89PNG\r\n\x1A\n";
  for (const std::string& image : {bitmap, png}) {
    toolkit::IconHandle icon = shell.CreateIconFromResource(image);
    ASSERT_NE(icon, 0u);
    EXPECT_EQ(*shell.IconImage(icon), image);
  }
  for (const std::string& junk : {std::string(), bitmap.substr(0, 39), std::string(40, 'X')}) {
    EXPECT_EQ(shell.CreateIconFromResource(junk), 0u);
  }
}

}  // namespace
