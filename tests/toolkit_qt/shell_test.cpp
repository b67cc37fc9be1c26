#include <QBuffer>
#include <QSystemTrayIcon>
#include <cstring>
#include <memory>

#include "tests/support/message_log.h"
#include "tests/toolkit_qt/toolkit_fixture.h"
#include "toolkit/qt/qt_icon_image.h"
#include "toolkit/qt/qt_notify_icon.h"

namespace {

using toolkit::NotifyIconDataA;
using toolkit::qt::DecodeIconImage;

constexpr toolkit::WindowLayout kLayout{.name = "Owner", .width = 50, .height = 40, .background = "backdrop"};

// 连接成功 in the system's code page.
constexpr std::string_view kConnected = "\xC1\xAC\xBD\xD3\xB3\xC9\xB9\xA6";

std::string Little(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
  return out;
}

// An icon image of 3 × 2 pixels as icon files hold one: the header (height counting the mask rows
// too), the BGRA rows bottom-up, then the mask rows.
struct Dib {
  std::uint32_t headerSize = 40;
  std::int32_t width = 3;
  std::int32_t height = 4;
  std::uint16_t planes = 1;
  std::uint16_t bitCount = 32;
  std::uint32_t compression = 0;
  std::string bottomRow = std::string("\x00\x00\xFF\xFF\x00\xFF\x00\xFF\xFF\x00\x00\xFF", 12);  // red, green, blue
  std::string topRow = std::string("\xFF\xFF\xFF\x80\x00\x00\x00\xFF\x10\x20\x30\x00", 12);  // half white, black, clear
  std::string maskRows = std::string(8, '\0');

  std::string Bytes() const {
    return Little(headerSize, 4) + Little(static_cast<std::uint32_t>(width), 4) +
           Little(static_cast<std::uint32_t>(height), 4) + Little(planes, 2) + Little(bitCount, 2) +
           Little(compression, 4) + std::string(20, '\0') + bottomRow + topRow + maskRows;
  }
};

TEST(DecodeIconImage, ReadsTheBottomUpRowsWithTheirAlpha) {
  QImage image = DecodeIconImage(Dib().Bytes());
  ASSERT_EQ(image.size(), QSize(3, 2));
  EXPECT_EQ(image.pixel(0, 0), qRgba(255, 255, 255, 0x80));
  EXPECT_EQ(image.pixel(1, 0), qRgba(0, 0, 0, 255));
  EXPECT_EQ(qAlpha(image.pixel(2, 0)), 0);
  EXPECT_EQ(image.pixel(0, 1), qRgba(255, 0, 0, 255));
  EXPECT_EQ(image.pixel(1, 1), qRgba(0, 255, 0, 255));
  EXPECT_EQ(image.pixel(2, 1), qRgba(0, 0, 255, 255));
}

TEST(DecodeIconImage, AnImageWithoutAlphaTakesItsShapeFromTheMask) {
  Dib dib;
  dib.bottomRow = std::string("\x00\x00\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF\x00", 12);  // red without alpha
  dib.topRow = std::string("\x40\x40\x40\x00\x40\x40\x40\x00\x40\x40\x40\x00", 12);
  // Bottom row: the middle pixel is masked out; top row: the first.
  dib.maskRows = std::string("\x40\0\0\0\x80\0\0\0", 8);
  QImage image = DecodeIconImage(dib.Bytes());
  ASSERT_EQ(image.size(), QSize(3, 2));
  EXPECT_EQ(image.pixel(0, 1), qRgba(255, 0, 0, 255));
  EXPECT_EQ(qAlpha(image.pixel(1, 1)), 0);
  EXPECT_EQ(image.pixel(2, 1), qRgba(255, 0, 0, 255));
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  EXPECT_EQ(image.pixel(1, 0), qRgba(0x40, 0x40, 0x40, 255));
}

TEST(DecodeIconImage, RefusesWhatItCannotReadWhole) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  auto with = [](auto change) {
    Dib dib;
    change(dib);
    return dib.Bytes();
  };
  const Case cases[] = {
      {"empty", ""},
      {"headerCutShort", Dib().Bytes().substr(0, 39)},
      {"maskCutShort", Dib().Bytes().substr(0, Dib().Bytes().size() - 1)},
      {"smallerHeader", with([](Dib& d) { d.headerSize = 12; })},
      {"headerBeyondTheBytes", with([](Dib& d) { d.headerSize = 0xFFFFFFF0; })},
      {"eightBitColours", with([](Dib& d) { d.bitCount = 8; })},
      {"compressed", with([](Dib& d) { d.compression = 3; })},
      {"twoPlanes", with([](Dib& d) { d.planes = 2; })},
      {"noWidth", with([](Dib& d) { d.width = 0; })},
      {"topDown", with([](Dib& d) { d.height = -4; })},
      {"onlyMaskRowsCounted", with([](Dib& d) { d.height = 1; })},
      {"widerThanAnIcon", with([](Dib& d) { d.width = 0x40000000; })},
  };
  for (const Case& refused : cases) {
    SCOPED_TRACE(refused.name);
    std::vector<char> exact(refused.bytes.begin(), refused.bytes.end());
    EXPECT_TRUE(DecodeIconImage(std::string_view(exact.data(), exact.size())).isNull());
  }
}

TEST(DecodeIconImage, TakesAPngImage) {
  QImage picture(5, 4, QImage::Format_ARGB32);
  picture.fill(qRgba(10, 20, 30, 200));
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(picture.save(&buffer, "PNG"));
  QImage image = DecodeIconImage(std::string_view(buffer.data().constData(), buffer.data().size()));
  ASSERT_EQ(image.size(), QSize(5, 4));
  EXPECT_EQ(image.pixel(4, 3), qRgba(10, 20, 30, 200));
}

TEST(DecodeIconImage, DrawsTheApplicationIconUprightWithItsTransparentCorners) {
  std::string file = ReadFileBytes(TREVALO_PICTURES_FOLDER "/app.ico");
  ASSERT_GE(file.size(), 0x46u + 0x10A8u);
  QImage image = DecodeIconImage(std::string_view(file).substr(0x46, 0x10A8));
  ASSERT_EQ(image.size(), QSize(32, 32));
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(image.pixel(31, 31)), 0);
  EXPECT_EQ(image.pixel(20, 10), qRgba(255, 255, 255, 255));
  EXPECT_EQ(image.pixel(10, 21), qRgba(255, 255, 255, 255));
  EXPECT_EQ(image.pixel(20, 21), qRgba(32, 150, 103, 255));
  EXPECT_EQ(image.pixel(16, 3), qRgba(49, 189, 132, 255));
  EXPECT_EQ(image.pixel(16, 28), qRgba(25, 135, 92, 255));
}

class QtShellTest : public QtToolkitTest {
 protected:
  QtShellTest() { log.Attach(shell, window.Handle()); }

  NotifyIconDataA Record(std::uint32_t flags) const {
    NotifyIconDataA data{};
    data.cbSize = sizeof data;
    data.hWnd = window.Handle();
    data.uID = 1;
    data.uFlags = flags;
    data.uCallbackMessage = 0x2DA5;
    std::memcpy(data.szTip, kConnected.data(), kConnected.size());
    return data;
  }

  toolkit::qt::QtShell& shell = ui.Shell();
  toolkit::qt::QtWindow& window = Load(kLayout);
  MessageLog log;
};

TEST_F(QtShellTest, AnIconIsMadeFromAnIconImageAndNothingElse) {
  toolkit::IconHandle icon = shell.CreateIconFromResource(Dib().Bytes());
  ASSERT_NE(icon, 0u);
  QPixmap drawn = shell.Icon(icon).pixmap(QSize(3, 2));
  EXPECT_EQ(drawn.toImage().pixel(2, 1), qRgba(0, 0, 255, 255));
  EXPECT_EQ(shell.CreateIconFromResource("no image"), 0u);
  EXPECT_TRUE(shell.Icon(0).isNull());
}

TEST_F(QtShellTest, ActivationsReachTheOwnerWindowsProcedureAsTheCallbackMessage) {
  toolkit::qt::QtNotifyIcon icon(shell, window.Handle(), 1);
  icon.Apply(Record(toolkit::kNifMessage | toolkit::kNifTip), QIcon());
  emit icon.TrayIcon().activated(QSystemTrayIcon::DoubleClick);
  emit icon.TrayIcon().activated(QSystemTrayIcon::Trigger);
  emit icon.TrayIcon().activated(QSystemTrayIcon::Context);
  EXPECT_EQ(log.lines, (std::vector<std::string>{MessageLog::Message(0x2DA5, 1, toolkit::kWmLButtonDblClk),
                                                 MessageLog::Message(0x2DA5, 1, toolkit::kWmLButtonDown),
                                                 MessageLog::Message(0x2DA5, 1, toolkit::kWmLButtonUp)}));
  EXPECT_EQ(icon.TrayIcon().toolTip(), QStringLiteral("连接成功"));
}

TEST_F(QtShellTest, AnIconWithoutCallbackMessageTellsNobody) {
  toolkit::qt::QtNotifyIcon icon(shell, window.Handle(), 1);
  icon.Apply(Record(toolkit::kNifTip | toolkit::kNifIcon), shell.Icon(shell.CreateIconFromResource(Dib().Bytes())));
  emit icon.TrayIcon().activated(QSystemTrayIcon::DoubleClick);
  EXPECT_TRUE(log.lines.empty());
  EXPECT_FALSE(icon.TrayIcon().icon().isNull());
}

TEST_F(QtShellTest, WithoutANotificationAreaNoIconIsAddedAndTheWindowGoesOn) {
  ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable()) << "the tests run where the desktop has no tray";
  EXPECT_FALSE(shell.NotifyIcon(toolkit::kNimAdd, Record(0x17)));
  EXPECT_FALSE(shell.NotifyIcon(toolkit::kNimModify, Record(toolkit::kNifTip)));
  ShowAndWait(window);
  EXPECT_TRUE(window.Visible());
}

TEST_F(QtShellTest, AWindowGoingAwayHasItsProcedureSeeTheDestructionFirst) {
  toolkit::qt::PictureStore pictureStore(QString::fromStdString(pictures.Path()));
  auto passing = std::make_unique<toolkit::qt::QtWindow>(kLayout, pictureStore, shell);
  toolkit::WindowHandle handle = passing->Handle();
  EXPECT_NE(handle, window.Handle());
  MessageLog passingLog;
  passingLog.Attach(shell, handle);
  passing.reset();
  EXPECT_EQ(passingLog.lines, (std::vector<std::string>{MessageLog::Message(toolkit::kWmDestroy, 0, 0)}));
  EXPECT_FALSE(shell.IsWindow(handle));
  EXPECT_TRUE(shell.IsWindow(window.Handle()));
}

TEST_F(QtShellTest, TheSmallIconIsTheOneTheWindowShows) {
  EXPECT_EQ(shell.SmallIcon(window.Handle()), 0u);
  QPixmap red(16, 16);
  red.fill(kRed);
  window.setWindowIcon(QIcon(red));
  toolkit::IconHandle icon = shell.SmallIcon(window.Handle());
  ASSERT_NE(icon, 0u);
  EXPECT_EQ(shell.SmallIcon(window.Handle()), icon);
  EXPECT_EQ(shell.Icon(icon).pixmap(QSize(16, 16)).toImage().pixel(8, 8), kRed);
  EXPECT_EQ(shell.SmallIcon(0xDEAD), 0u);
}

TEST_F(QtShellTest, TheProgramsIconFileLiesAmongItsPictures) {
  EXPECT_EQ(shell.ProgramIconFile(), "");
  const std::string bytes("\0\0\1\0\1\0icon", 10);
  WriteFileBytes(pictures.Path() + "/app.ico", bytes);
  EXPECT_EQ(shell.ProgramIconFile(), bytes);
}

}  // namespace
