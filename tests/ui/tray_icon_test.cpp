#include "ui/tray_icon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "tests/support/message_log.h"
#include "tests/support/temp_folder.h"
#include "toolkit/headless/headless_ui.h"

namespace {

using toolkit::NotifyIconDataA;

constexpr toolkit::WindowLayout kOwnerLayout{.name = "Owner", .width = 100, .height = 100};
constexpr toolkit::WindowLayout kOtherLayout{.name = "Other", .width = 100, .height = 100};

constexpr toolkit::WindowHandle kNoWindow = 0xDEAD;

// The tip a record carries, up to its first zero byte.
std::string TipOf(const NotifyIconDataA& data) {
  return std::string(data.szTip, strnlen(data.szTip, sizeof data.szTip));
}

// The application icon: four images of 32, 24, 20 and 16 pixels, at these places in the file.
struct IcoEntry {
  int side;
  std::size_t offset;
  std::size_t size;
};
constexpr IcoEntry kAppIcoEntries[] = {
    {32, 0x46, 0x10A8}, {24, 0x10EE, 0x988}, {20, 0x1A76, 0x6B8}, {16, 0x212E, 0x468}};

class TrayIconTest : public testing::Test {
 protected:
  TrayIconTest() { log.Attach(shell, owner); }

  // The routine the owner's side of the client would give: it notes each event in the log.
  TrayEventRoutine NotingRoutine() {
    return [this](int code) { log.NoteEvent(code); };
  }

  // The icon added and serving the owner window with the noting routine.
  void AddServingIcon() {
    ASSERT_TRUE(tray.AddIcon(owner, "", false, ""));
    tray.SetEventRoutine(NotingRoutine(), true);
  }

  const NotifyIconDataA& LastRecord() const { return shell.NotifyIconCalls().back().data; }

  toolkit::headless::HeadlessUi ui;
  toolkit::headless::HeadlessShell& shell = ui.Shell();
  toolkit::WindowHandle owner = ui.LoadWindow(kOwnerLayout, nullptr).Handle();
  MessageLog log;
  TrayIcon tray{shell};
  std::string appIco = ReadFileBytes(TREVALO_PICTURES_FOLDER "/app.ico");
};

TEST_F(TrayIconTest, AddIconHandsTheShellTheFullRecordWithTheWindowsSmallIcon) {
  toolkit::IconHandle small = shell.CreateIconFromResource(appIco.substr(kAppIcoEntries[3].offset));
  ASSERT_NE(small, 0u);
  shell.SetSmallIcon(owner, small);

  ASSERT_TRUE(tray.AddIcon(owner, appIco, false, ""));

  ASSERT_EQ(shell.NotifyIconCalls().size(), 1u);
  EXPECT_EQ(shell.NotifyIconCalls()[0].message, toolkit::kNimAdd);
  const NotifyIconDataA& data = LastRecord();
  EXPECT_EQ(data.cbSize, 488u);
  EXPECT_EQ(data.hWnd, owner);
  EXPECT_EQ(data.uID, 1u);
  EXPECT_EQ(data.uFlags, 0x17u);
  EXPECT_EQ(data.uCallbackMessage, 0x2DA5u);
  EXPECT_EQ(data.hIcon, small);
  EXPECT_EQ(data.uTimeout, 10000u);
  EXPECT_EQ(TipOf(data), "");
  EXPECT_EQ(data.szInfo[0], '\0');
  EXPECT_EQ(data.szInfoTitle[0], '\0');
  EXPECT_EQ(data.dwState, 0u);
  ASSERT_NE(shell.ShownIcon(owner, 1), nullptr);
  EXPECT_EQ(shell.ShownIcon(owner, 1)->hIcon, small);
}

TEST_F(TrayIconTest, AddIconWithTheFlagShowsTheFirstImageOfTheIconFileAndTheTip) {
  ASSERT_TRUE(tray.AddIcon(owner, appIco, true, "TrevaloIP"));
  const NotifyIconDataA& data = LastRecord();
  ASSERT_NE(data.hIcon, 0u);
  ASSERT_NE(shell.IconImage(data.hIcon), nullptr);
  EXPECT_EQ(*shell.IconImage(data.hIcon), appIco.substr(kAppIcoEntries[0].offset, kAppIcoEntries[0].size));
  EXPECT_EQ(TipOf(*shell.ShownIcon(owner, 1)), "TrevaloIP");
}

TEST_F(TrayIconTest, AnInvalidWindowMakesAddIconAndSetEventRoutineDoNothing) {
  EXPECT_FALSE(tray.AddIcon(kNoWindow, appIco, true, "tip"));
  tray.SetEventRoutine(NotingRoutine(), true);
  EXPECT_TRUE(shell.NotifyIconCalls().empty());

  // The owner window was never taken over: its messages reach its own procedure alone.
  shell.SendMessage(owner, toolkit::kWmDestroy, 0, 0);
  EXPECT_EQ(log.lines, (std::vector<std::string>{MessageLog::Message(toolkit::kWmDestroy, 0, 0)}));
  EXPECT_EQ(shell.GetProperty(owner, "WinProc"), 0u);
}

TEST_F(TrayIconTest, AFailedAddIconKeepsTheIconAlreadyAdded) {
  ASSERT_TRUE(tray.AddIcon(owner, "", false, "first"));
  EXPECT_FALSE(tray.AddIcon(kNoWindow, "", false, "second"));
  ASSERT_TRUE(tray.SetTip("third"));
  EXPECT_EQ(LastRecord().hWnd, owner);
  EXPECT_EQ(TipOf(*shell.ShownIcon(owner, 1)), "third");
}

struct TipCase {
  const char* name;
  std::string tip;
  std::string shown;
};

// 连 is two bytes in the system's code page; a tip is cut at 127 bytes, never through a character.
const TipCase kTipCases[] = {
    {"short", "TrevaloIP", "TrevaloIP"},
    {"empty", "", ""},
    {"twoHundredCharacters", std::string(200, 'a'), std::string(127, 'a')},
    {"exactly127", std::string(127, 'b'), std::string(127, 'b')},
    {"doubleByteEndsAt127", std::string(125, 'a') + "连", std::string(125, 'a') + "连"},
    {"doubleByteAcross127", std::string(126, 'a') + "连", std::string(126, 'a')},
    {"hundredChineseCharacters",
     [] {
       std::string text;
       for (int i = 0; i < 100; ++i) text += "连";
       return text;
     }(),
     [] {
       std::string text;
       for (int i = 0; i < 63; ++i) text += "连";
       return text;
     }()},
    {"loneLeadByteAtTheEnd", std::string(126, 'a') + "\xC1", std::string(126, 'a') + "\xC1"},
};

TEST_F(TrayIconTest, SetTipShowsAtMost127BytesEndingOnACharacter) {
  ASSERT_TRUE(tray.AddIcon(owner, "", false, ""));
  for (const TipCase& tipCase : kTipCases) {
    SCOPED_TRACE(tipCase.name);
    // A long tip first, so that a shorter one shows whether the old bytes go.
    ASSERT_TRUE(tray.SetTip(std::string(200, 'z')));
    ASSERT_TRUE(tray.SetTip(tipCase.tip));
    EXPECT_EQ(shell.NotifyIconCalls().back().message, toolkit::kNimModify);
    const NotifyIconDataA& data = LastRecord();
    EXPECT_EQ(TipOf(data), tipCase.shown);
    EXPECT_EQ(std::string(data.szTip + tipCase.shown.size(), sizeof data.szTip - tipCase.shown.size()),
              std::string(sizeof data.szTip - tipCase.shown.size(), '\0'));
    EXPECT_EQ(TipOf(*shell.ShownIcon(owner, 1)), tipCase.shown);
  }
}

TEST_F(TrayIconTest, AddIconCutsItsTipAsSetTipDoes) {
  ASSERT_TRUE(tray.AddIcon(owner, "", false, std::string(200, 'a')));
  EXPECT_EQ(TipOf(LastRecord()), std::string(127, 'a'));
}

TEST_F(TrayIconTest, TheShellsRefusalComesBackToTheCaller) {
  EXPECT_FALSE(tray.SetTip("before the icon is added"));
  shell.SetNotificationArea(false);
  EXPECT_FALSE(tray.AddIcon(owner, appIco, true, ""));
  EXPECT_EQ(shell.NotifyIconCalls().size(), 2u);
}

TEST_F(TrayIconTest, SetIconShowsTheFirstImageOfANewIconFile) {
  ASSERT_TRUE(tray.AddIcon(owner, "", false, "TrevaloIP"));
  ASSERT_TRUE(tray.SetIcon(appIco));
  EXPECT_EQ(shell.NotifyIconCalls().back().message, toolkit::kNimModify);
  const NotifyIconDataA& data = LastRecord();
  EXPECT_EQ(data.uFlags, 0x17u);
  ASSERT_NE(shell.IconImage(data.hIcon), nullptr);
  EXPECT_EQ(*shell.IconImage(data.hIcon), appIco.substr(kAppIcoEntries[0].offset, kAppIcoEntries[0].size));
  EXPECT_EQ(shell.ShownIcon(owner, 1)->hIcon, data.hIcon);
  EXPECT_EQ(TipOf(*shell.ShownIcon(owner, 1)), "TrevaloIP");
}

TEST_F(TrayIconTest, AFailedIconCreationKeepsThePreviousIcon) {
  ASSERT_TRUE(tray.AddIcon(owner, appIco, true, ""));
  const toolkit::IconHandle previous = LastRecord().hIcon;
  std::string junkImage = appIco;
  junkImage[kAppIcoEntries[0].offset] = 'X';  // the image's header no longer reads as one
  const std::size_t calls = shell.NotifyIconCalls().size();

  for (const std::string& file : {std::string(), junkImage, appIco.substr(0, 100)}) {
    EXPECT_FALSE(tray.SetIcon(file));
  }
  EXPECT_EQ(shell.NotifyIconCalls().size(), calls);
  EXPECT_EQ(shell.ShownIcon(owner, 1)->hIcon, previous);
  ASSERT_TRUE(tray.SetTip("later"));
  EXPECT_EQ(LastRecord().hIcon, previous);
}

TEST_F(TrayIconTest, DoubleClickGivesTheRoutine515AndEndsThere) {
  AddServingIcon();
  EXPECT_EQ(shell.SimulateIconMouse(owner, 1, toolkit::kWmLButtonDblClk), 0);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"event 515"}));
}

TEST_F(TrayIconTest, SingleClickGivesTheRoutineButtonDownThenUp) {
  AddServingIcon();
  EXPECT_EQ(shell.SimulateIconMouse(owner, 1, toolkit::kWmLButtonDown), 0);
  EXPECT_EQ(shell.SimulateIconMouse(owner, 1, toolkit::kWmLButtonUp), 0);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"event 513", "event 514"}));
}

TEST_F(TrayIconTest, OtherMessagesReachTheWindowsOwnProcedureUnchangedWithTheirResult) {
  AddServingIcon();
  struct Sent {
    std::uint32_t message;
    toolkit::WParam wParam;
    toolkit::LParam lParam;
  };
  const Sent others[] = {
      {0x0100, 65, 0x001E0001},            // a key press
      {0x007F, 0, 0},                      // the window asked for its icon
      {0x2DA4, 1, 515},                    // next to the callback message
      {0x2DA6, 1, 515},                    // and on its other side
      {toolkit::kWmLButtonDblClk, 0, -1},  // a double-click on the window itself
      {shell.RegisterWindowMessage("SomeoneElsesMessage"), 7, 8},
  };
  for (const Sent& sent : others) {
    SCOPED_TRACE(sent.message);
    log.lines.clear();
    EXPECT_EQ(shell.SendMessage(owner, sent.message, sent.wParam, sent.lParam), MessageLog::ResultFor(sent.message));
    EXPECT_EQ(log.lines, (std::vector<std::string>{MessageLog::Message(sent.message, sent.wParam, sent.lParam)}));
  }
}

TEST_F(TrayIconTest, ANewTaskbarIsToldToTheRoutineAsItsOwnEvent) {
  AddServingIcon();
  EXPECT_EQ(shell.GetProperty(owner, "TaskbarCreatedMessage"), shell.RegisterWindowMessage("TaskbarCreated"));
  shell.SimulateTaskbarCreated();
  EXPECT_EQ(log.lines, (std::vector<std::string>{"event 1120"}));
  // The icon went with the old taskbar and is not added again.
  EXPECT_EQ(shell.ShownIcon(owner, 1), nullptr);
}

TEST_F(TrayIconTest, DestroyingTheWindowTellsTheRoutineBeforeTheWindowsOwnProcedure) {
  AddServingIcon();
  shell.DestroyWindow(owner);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"event 1130", MessageLog::Message(toolkit::kWmDestroy, 0, 0)}));
  EXPECT_FALSE(shell.IsWindow(owner));
}

TEST_F(TrayIconTest, WithoutTheRoutineTheIconsMessagesGoOnToTheWindowsOwnProcedure) {
  ASSERT_TRUE(tray.AddIcon(owner, "", false, ""));
  tray.SetEventRoutine(NotingRoutine(), false);
  EXPECT_EQ(shell.SimulateIconMouse(owner, 1, toolkit::kWmLButtonDblClk), MessageLog::ResultFor(0x2DA5));
  shell.SimulateTaskbarCreated();
  shell.DestroyWindow(owner);
  const std::uint32_t taskbarCreated = shell.RegisterWindowMessage("TaskbarCreated");
  EXPECT_EQ(log.lines, (std::vector<std::string>{MessageLog::Message(0x2DA5, 1, toolkit::kWmLButtonDblClk),
                                                 MessageLog::Message(taskbarCreated, 0, 0),
                                                 MessageLog::Message(toolkit::kWmDestroy, 0, 0)}));
}

TEST_F(TrayIconTest, AnEmptyRoutineCountsAsNone) {
  ASSERT_TRUE(tray.AddIcon(owner, "", false, ""));
  tray.SetEventRoutine(nullptr, true);
  EXPECT_EQ(shell.SimulateIconMouse(owner, 1, toolkit::kWmLButtonDblClk), MessageLog::ResultFor(0x2DA5));
  EXPECT_EQ(log.lines, (std::vector<std::string>{MessageLog::Message(0x2DA5, 1, toolkit::kWmLButtonDblClk)}));
}

TEST_F(TrayIconTest, TheRoutineServesTheOwnerWindowAlone) {
  toolkit::WindowHandle other = ui.LoadWindow(kOtherLayout, nullptr).Handle();
  MessageLog otherLog;
  otherLog.Attach(shell, other);
  AddServingIcon();
  shell.SimulateTaskbarCreated();
  EXPECT_EQ(log.lines, (std::vector<std::string>{"event 1120"}));
  EXPECT_EQ(otherLog.lines.size(), 1u);
  EXPECT_EQ(shell.SendMessage(other, 0x2DA5, 1, toolkit::kWmLButtonDblClk), MessageLog::ResultFor(0x2DA5));
  EXPECT_EQ(log.lines.size(), 1u);
}

TEST_F(TrayIconTest, SettingTheRoutineAgainReplacesItWithoutLoopingThroughItself) {
  AddServingIcon();
  std::vector<int> second;
  tray.SetEventRoutine([&second](int code) { second.push_back(code); }, true);
  EXPECT_EQ(shell.SendMessage(owner, 0x0100, 1, 2), MessageLog::ResultFor(0x0100));
  shell.SimulateIconMouse(owner, 1, toolkit::kWmLButtonDblClk);
  EXPECT_EQ(log.lines, (std::vector<std::string>{MessageLog::Message(0x0100, 1, 2)}));
  EXPECT_EQ(second, (std::vector<int>{toolkit::kWmLButtonDblClk}));
}

TEST_F(TrayIconTest, AWindowOutlivingTheTrayIconNoLongerCallsItsRoutine) {
  auto shortLived = std::make_unique<TrayIcon>(shell);
  ASSERT_TRUE(shortLived->AddIcon(owner, "", false, ""));
  shortLived->SetEventRoutine(NotingRoutine(), true);
  shortLived.reset();
  shell.DestroyWindow(owner);
  EXPECT_EQ(log.lines, (std::vector<std::string>{MessageLog::Message(toolkit::kWmDestroy, 0, 0)}));
}

TEST_F(TrayIconTest, IconFromIcoDataMakesEachImageOfTheApplicationIcon) {
  ASSERT_EQ(appIco.size(), 9622u);
  for (int index = 0; index < 4; ++index) {
    SCOPED_TRACE(index);
    const IcoEntry& entry = kAppIcoEntries[index];
    IcoImage image = tray.IconFromIcoData(appIco, index);
    EXPECT_EQ(image.width, entry.side);
    EXPECT_EQ(image.height, entry.side);
    ASSERT_NE(shell.IconImage(image.icon), nullptr);
    EXPECT_EQ(*shell.IconImage(image.icon), appIco.substr(entry.offset, entry.size));
  }
}

// A small icon file: the header with its image count, the given directory entries, then the
// payload. Entries are {width, height, size, offset}.
struct Entry {
  unsigned char width;
  unsigned char height;
  std::uint32_t size;
  std::uint32_t offset;
};
std::string IcoFile(std::uint16_t count, std::vector<Entry> entries, const std::string& payload) {
  auto little = [](std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
    return out;
  };
  std::string file = little(0, 2) + little(1, 2) + little(count, 2);
  for (const Entry& entry : entries) {
    file += std::string{static_cast<char>(entry.width), static_cast<char>(entry.height), 0, 0};
    file += little(1, 2) + little(32, 2) + little(entry.size, 4) + little(entry.offset, 4);
  }
  return file + payload;
}

// The start of a 32-bit bitmap info header: enough for an image to read as one.
const std::string kImage = std::string("\x28\0\0\0", 4) + std::string(60, '\x11');
constexpr std::uint32_t kAfterOneEntry = 6 + 16;
constexpr std::uint32_t kImageSize = 64;

struct HostileCase {
  const char* name;
  std::string file;
  int index;
  bool made;  // an icon of the image
  int side;   // the width and height given back
};

const HostileCase kHostileCases[] = {
    {"wellFormed", IcoFile(1, {{48, 48, kImageSize, kAfterOneEntry}}, kImage), 0, true, 48},
    {"emptyFile", "", 0, false, 0},
    {"shorterThanItsHeader", std::string("\0\0\1\0\1", 5), 0, false, 0},
    {"headerWithoutDirectory", IcoFile(1, {}, ""), 0, false, 0},
    {"countBeyondTheDirectory", IcoFile(2, {{48, 48, kImageSize, kAfterOneEntry}}, ""), 1, false, 0},
    {"indexBeyondTheCount", IcoFile(1, {{48, 48, kImageSize, kAfterOneEntry}}, kImage + kImage), 1, false, 0},
    {"negativeIndex", IcoFile(1, {{48, 48, kImageSize, kAfterOneEntry}}, kImage), -1, false, 0},
    {"entryCutShort", IcoFile(1, {{48, 48, kImageSize, kAfterOneEntry}}, "").substr(0, 20), 0, false, 0},
    {"offsetOutsideTheFile", IcoFile(1, {{48, 48, 1, kAfterOneEntry + kImageSize}}, kImage), 0, false, 0},
    {"imageOneByteTooLong", IcoFile(1, {{48, 48, kImageSize + 1, kAfterOneEntry}}, kImage), 0, false, 0},
    {"sizeWrappingAround", IcoFile(1, {{48, 48, 0xFFFFFFFF, kAfterOneEntry}}, kImage), 0, false, 0},
    {"offsetWrappingAround", IcoFile(1, {{48, 48, 2, 0xFFFFFFFF}}, kImage), 0, false, 0},
    {"imageThatIsNoImage", IcoFile(1, {{48, 48, kImageSize, kAfterOneEntry}}, std::string(64, 'X')), 0, false, 48},
    {"sideZeroMeans256", IcoFile(1, {{0, 0, kImageSize, kAfterOneEntry}}, kImage), 0, true, 256},
};

TEST_F(TrayIconTest, IconFromIcoDataNeverReadsOutsideTheFile) {
  for (const HostileCase& hostile : kHostileCases) {
    SCOPED_TRACE(hostile.name);
    // A buffer of exactly the file's size, so a read past its end is caught.
    std::vector<char> bytes(hostile.file.begin(), hostile.file.end());
    IcoImage image = tray.IconFromIcoData(std::string_view(bytes.data(), bytes.size()), hostile.index);
    EXPECT_EQ(image.icon != 0, hostile.made);
    EXPECT_EQ(image.width, hostile.side);
    EXPECT_EQ(image.height, hostile.side);
    if (hostile.made) {
      EXPECT_EQ(*shell.IconImage(image.icon), kImage);
    }
  }
}

}  // namespace
