#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "tests/support/temp_folder.h"
#include "toolkit/qt/qt_ui.h"
#include "toolkit/qt/qt_window.h"

// Pictures of plain colours, so that one pixel tells which picture a control shows.
inline const QRgb kRed = qRgb(220, 30, 30);
inline const QRgb kGreen = qRgb(30, 200, 60);
inline const QRgb kBlue = qRgb(30, 60, 220);
inline const QRgb kBackdrop = qRgb(240, 240, 240);

class ColourPictures {
 public:
  ColourPictures() {
    for (auto [name, colour] : {std::pair{"red", kRed}, {"green", kGreen}, {"blue", kBlue}, {"backdrop", kBackdrop}}) {
      QImage picture(400, 300, QImage::Format_RGB32);
      picture.fill(colour);
      picture.save(QString::fromStdString(folder_.File(std::string(name) + ".png")), "PNG");
    }
  }
  const std::string& Path() const { return folder_.path(); }

 private:
  TempFolder folder_;
};

// A QtUi of its own for each test, over the colour pictures, with the user's mouse driven through
// the window system's entry, so a click lands on whatever control lies on top at that point.
class QtToolkitTest : public testing::Test {
 protected:
  toolkit::qt::QtWindow& Load(const toolkit::WindowLayout& layout) {
    return static_cast<toolkit::qt::QtWindow&>(ui.LoadWindow(layout, nullptr));
  }

  static void ShowAndWait(toolkit::qt::QtWindow& window) {
    window.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  // A point of a control, in its window.
  static QPoint At(QWidget& control, QPoint inControl) { return control.mapTo(control.window(), inControl); }
  static QPoint Centre(QWidget& control) { return At(control, control.rect().center()); }

  static void ClickAt(QWidget& window, QPoint point) {
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, point);
  }
  static void Click(QWidget& control) { ClickAt(*control.window(), Centre(control)); }

  static QRgb PixelOf(QWidget& control, QPoint inControl) { return control.grab().toImage().pixel(inControl); }

  ColourPictures pictures;
  int argc = 1;
  char program[16] = "toolkit_qt_test";
  char* argv[2] = {program, nullptr};
  toolkit::qt::QtUi ui{argc, argv, pictures.Path()};
};
