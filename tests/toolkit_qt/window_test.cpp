#include <QApplication>
#include <QEnterEvent>
#include <QInputMethodEvent>
#include <QLineEdit>

#include "tests/toolkit_qt/toolkit_fixture.h"

namespace {

using toolkit::ControlKind;

// 连接成功 and 连接 in the system's code page.
constexpr std::string_view kConnected = "\xC1\xAC\xBD\xD3\xB3\xC9\xB9\xA6";
constexpr std::string_view kConnect = "\xC1\xAC\xBD\xD3";

constexpr toolkit::ControlLayout kControls[] = {
    {.name = "label",
     .kind = ControlKind::TransparentLabel,
     .left = 10,
     .top = 10,
     .width = 80,
     .height = 20,
     .text = "first"},
    {.name = "silent",
     .kind = ControlKind::TransparentLabel,
     .left = 10,
     .top = 40,
     .width = 80,
     .height = 20,
     .text = "no listener"},
    {.name = "hidden",
     .kind = ControlKind::TransparentLabel,
     .left = 10,
     .top = 70,
     .width = 80,
     .height = 20,
     .hidden = true},
    // Named before the picture box it lies in: a layout may order them so.
    {.name = "inMark",
     .kind = ControlKind::TransparentLabel,
     .left = 8,
     .top = 0,
     .width = 12,
     .height = 20,
     .parent = "mark"},
    {.name = "mark",
     .kind = ControlKind::PictureBox,
     .left = 100,
     .top = 10,
     .width = 20,
     .height = 20,
     .tag = "no",
     .picture = "red"},
    {.name = "edit", .kind = ControlKind::EditBox, .left = 130, .top = 10, .width = 100, .height = 24, .text = "30"},
    {.name = "secret",
     .kind = ControlKind::EditBox,
     .left = 130,
     .top = 40,
     .width = 100,
     .height = 24,
     .password = true},
    {.name = "button",
     .kind = ControlKind::ImageButton,
     .left = 240,
     .top = 10,
     .width = 40,
     .height = 30,
     .tag = "t",
     .picture = "red",
     .hotPicture = "green",
     .disabledPicture = "blue"},
    {.name = "tick", .kind = ControlKind::Timer},
};
constexpr toolkit::WindowLayout kLayout{
    .name = "TestWindow", .width = 300, .height = 120, .background = "backdrop", .controls = kControls};

class QtWindowTest : public QtToolkitTest {
 protected:
  toolkit::qt::QtWindow& window = Load(kLayout);
};

TEST_F(QtWindowTest, WindowIsBuiltOnceFromItsLayoutAndStartsHidden) {
  int created = 0;
  std::string seenInCreation;
  auto onCreated = [&](toolkit::Window& loaded) {
    ++created;
    seenInCreation = loaded.Label("label").Text();
  };
  toolkit::WindowLayout other{.name = "Other", .width = 50, .height = 40, .controls = kControls};
  toolkit::Window& first = ui.LoadWindow(other, onCreated);
  EXPECT_EQ(&ui.LoadWindow(other, onCreated), &first);
  EXPECT_EQ(created, 1);
  EXPECT_EQ(seenInCreation, "first");
  EXPECT_EQ(ui.FindWindow("Other"), &first);
  EXPECT_EQ(ui.FindWindow("TestWindow"), &window);
  EXPECT_EQ(ui.FindWindow("Missing"), nullptr);

  EXPECT_FALSE(window.Visible());
  EXPECT_EQ(window.size(), QSize(300, 120));
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_FALSE(window.Label("hidden").Visible());
  EXPECT_TRUE(window.Label("label").Visible());
  EXPECT_EQ(window.Edit("edit").Text(), "30");
  EXPECT_EQ(window.Picture("mark").Tag(), "no");
  EXPECT_EQ(window.Button("button").Pictures(), (toolkit::ButtonPictures{"red", "green", "blue"}));
  EXPECT_EQ(window.Label("inMark").parentWidget(), &window.Picture("mark"));
  EXPECT_EQ(window.Label("inMark").pos(), QPoint(8, 0));

  window.Show();
  EXPECT_TRUE(window.Visible());
  window.Hide();
  EXPECT_FALSE(window.Visible());
}

TEST_F(QtWindowTest, PressGoesToTheControlOnTopOrOnToWhatLiesUnder) {
  ShowAndWait(window);
  std::vector<std::string> pressed;
  auto& mark = window.Picture("mark");
  auto& inMark = window.Label("inMark");
  window.Label("label").OnLeftPress([&] { pressed.push_back("label"); });
  window.Label("hidden").OnLeftPress([&] { pressed.push_back("hidden"); });
  mark.OnLeftPress([&] { pressed.push_back("mark"); });

  Click(window.Label("label"));
  ClickAt(window, At(mark, {2, 10}));  // beside the label inside it
  Click(inMark);                       // the label inside listens to nobody yet
  inMark.OnLeftPress([&] { pressed.push_back("inMark"); });
  Click(inMark);
  Click(window.Label("hidden"));
  window.Label("hidden").SetVisible(true);
  Click(window.Label("hidden"));
  QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, Centre(window.Label("label")));
  EXPECT_EQ(pressed, (std::vector<std::string>{"label", "mark", "mark", "inMark", "hidden"}));
}

TEST_F(QtWindowTest, PressOnTheBackgroundDragsTheWindowButNotOnAListeningControl) {
  ShowAndWait(window);
  auto drag = [&](QPoint from) {
    QPoint before = window.pos();
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, from);
    QTest::mouseMove(window.windowHandle(), from + QPoint(30, 20));
    ui.ProcessPendingMessages();
    QPoint moved = window.pos() - before;
    // The mouse rests where the move left it, whether or not the window followed.
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, from + QPoint(30, 20) - moved);
    return moved;
  };
  window.Label("label").OnLeftPress([] {});
  EXPECT_EQ(drag(QPoint(150, 80)), QPoint(30, 20));                 // bare background
  EXPECT_EQ(drag(Centre(window.Label("silent"))), QPoint(30, 20));  // a label nobody listens to
  EXPECT_EQ(drag(Centre(window.Label("label"))), QPoint(0, 0));
}

TEST_F(QtWindowTest, TextsCrossInTheSystemCodePage) {
  auto& label = window.Label("label");
  label.SetText(kConnected);
  EXPECT_EQ(label.Text(), kConnected);
  EXPECT_EQ(label.text(), QStringLiteral("连接成功"));

  window.SetCaption(kConnected);
  EXPECT_EQ(window.Caption(), kConnected);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("连接成功"));

  window.Picture("mark").SetTag(kConnect);
  EXPECT_EQ(window.Picture("mark").Tag(), kConnect);

  auto& edit = window.Edit("edit");
  edit.SetText(kConnected);
  EXPECT_EQ(edit.text(), QStringLiteral("连接成功"));
  // Chinese arrives typed through an input method, which commits whole characters.
  edit.clear();
  QInputMethodEvent typed;
  typed.setCommitString(QStringLiteral("连接"));
  QApplication::sendEvent(&edit, &typed);
  EXPECT_EQ(edit.Text(), kConnect);
}

TEST_F(QtWindowTest, EditRunsItsHandlerOnEveryChangeOfTheText) {
  auto& edit = window.Edit("edit");
  std::vector<std::string> seen;
  edit.OnTextChanged([&] { seen.push_back(edit.Text()); });
  edit.SetText("");
  QTest::keyClicks(&edit, "ab");
  edit.SetText("ab");  // the same text: no change
  edit.SetText("x");
  EXPECT_EQ(seen, (std::vector<std::string>{"", "a", "ab", "x"}));
}

TEST_F(QtWindowTest, PasswordEditShowsNoTypedCharacterButKeepsTheText) {
  auto& secret = window.Edit("secret");
  QTest::keyClicks(&secret, "pw1");
  EXPECT_EQ(secret.echoMode(), QLineEdit::Password);
  EXPECT_EQ(secret.displayText().size(), 3);
  EXPECT_FALSE(secret.displayText().contains(QLatin1Char('p')));
  EXPECT_EQ(secret.Text(), "pw1");
  EXPECT_EQ(window.Edit("edit").echoMode(), QLineEdit::Normal);
}

TEST_F(QtWindowTest, PictureBoxShowsTheNamedPictureAndNothingForAMissingOne) {
  auto& mark = window.Picture("mark");
  EXPECT_EQ(PixelOf(mark, {2, 2}), kRed);
  mark.SetPicture("green");
  EXPECT_EQ(PixelOf(mark, {2, 2}), kGreen);
  mark.SetPicture("nowhere");
  EXPECT_EQ(mark.Picture(), "nowhere");
  EXPECT_EQ(PixelOf(window, At(mark, {2, 2})), kBackdrop);

  mark.SetPlace(-500, 7);
  EXPECT_EQ(mark.Left(), -500);
  EXPECT_EQ(mark.Top(), 7);
  EXPECT_EQ(mark.pos(), QPoint(-500, 7));
}

TEST_F(QtWindowTest, ButtonShowsItsStateAndTakesNoClickWhileDisabled) {
  ShowAndWait(window);
  auto& button = window.Button("button");
  int clicks = 0;
  button.OnClick([&] { ++clicks; });
  QPoint inside(5, 5);
  EXPECT_EQ(PixelOf(button, inside), kRed);

  // The window system tells a window when the mouse comes in; the window then follows it between
  // its controls.
  QEnterEvent enters(Centre(button), Centre(button), window.mapToGlobal(Centre(button)));
  QApplication::sendEvent(window.windowHandle(), &enters);
  EXPECT_EQ(PixelOf(button, inside), kGreen);
  QTest::mouseMove(window.windowHandle(), QPoint(150, 100));
  EXPECT_EQ(PixelOf(button, inside), kRed);

  button.SetEnabled(false);
  EXPECT_FALSE(button.Enabled());
  EXPECT_EQ(PixelOf(button, inside), kBlue);
  Click(button);
  EXPECT_EQ(clicks, 0);

  button.SetEnabled(true);
  Click(button);
  EXPECT_EQ(clicks, 1);

  button.SetNormalPicture("blue");
  QTest::mouseMove(window.windowHandle(), QPoint(150, 100));
  EXPECT_EQ(PixelOf(button, inside), kBlue);
  EXPECT_EQ(button.Pictures(), (toolkit::ButtonPictures{"blue", "green", "blue"}));
}

TEST_F(QtWindowTest, AskingForAControlTheLayoutLacksEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(window.Label("nowhere"), "TestWindow has no control of that kind named nowhere");
  EXPECT_DEATH(window.Label("mark"), "named mark");
}

}  // namespace
