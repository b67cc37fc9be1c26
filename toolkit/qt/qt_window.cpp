#include "toolkit/qt/qt_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "platform/codepage.h"
#include "toolkit/qt/qt_look.h"
#include "toolkit/qt/qt_text.h"

namespace toolkit::qt {

QtWindow::QtWindow(const WindowLayout& layout, PictureStore& pictures, QtShell& shell)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      name_(layout.name),
      shell_(shell),
      handle_(shell.AddWidget(*this)),
      background_(pictures.Find(layout.background)) {
  setObjectName(ToQString(layout.name));
  setFixedSize(layout.width, layout.height);
  setFont(ControlFont());
  BuildControls(layout, pictures);
  if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->availableGeometry().center() - rect().center());
}

void QtWindow::BuildControls(const WindowLayout& layout, PictureStore& pictures) {
  std::map<std::string_view, QWidget*> widgets;
  for (const ControlLayout& control : layout.controls) {
    std::string name(control.name);
    QWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::TransparentLabel:
        widget = labels_[name] = new QtLabel(control, this);
        break;
      case ControlKind::PictureBox:
        widget = pictures_[name] = new QtPicture(control, pictures, this);
        break;
      case ControlKind::EditBox:
        widget = edits_[name] = new QtEdit(control, this);
        break;
      case ControlKind::ImageButton:
        widget = buttons_[name] = new QtButton(control, pictures, this);
        break;
      case ControlKind::ReportListView:
        widget = lists_[name] = new QtList(control, this);
        break;
      case ControlKind::Timer:
        timers_[name] = new QtTimer(this);
        break;
    }
    if (widget != nullptr) widgets[control.name] = widget;
  }
  // A control lies inside its parent only once every widget exists, so a layout may name a parent
  // after its child. Later controls lie over earlier ones, in the parent's place as in the window.
  for (const ControlLayout& control : layout.controls) {
    auto child = widgets.find(control.name);
    if (child == widgets.end()) continue;
    if (!control.parent.empty()) {
      auto parent = widgets.find(control.parent);
      if (parent == widgets.end()) Fail("has no control to hold a control in", control.parent);
      child->second->setParent(parent->second);
      child->second->move(control.left, control.top);
    }
    // Explicit, so that a control reports its own visibility before the window is first shown.
    child->second->setVisible(!control.hidden);
  }
}

template <typename Control>
Control& QtWindow::Find(const Controls<Control>& controls, std::string_view name) const {
  auto found = controls.find(name);
  if (found == controls.end()) Fail("has no control of that kind named", name);
  return *found->second;
}

void QtWindow::Fail(const char* what, std::string_view name) const {
  std::fprintf(stderr, "window %s %s %s\n", platform::AnsiToUtf8(name_).c_str(), what,
               platform::AnsiToUtf8(name).c_str());
  std::abort();
}

void QtWindow::SetCaption(std::string_view caption) {
  caption_ = caption;
  setWindowTitle(ToQString(caption));
}

void QtWindow::Show() {
  show();
  raise();
  activateWindow();
}

void QtWindow::paintEvent(QPaintEvent*) { QPainter(this).drawPixmap(0, 0, background_); }

void QtWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  // Where the window system places windows itself (Wayland), it moves one only when asked to.
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
  dragOffset_ = event->globalPosition().toPoint() - pos();
}

void QtWindow::mouseMoveEvent(QMouseEvent* event) {
  if (dragOffset_ && (event->buttons() & Qt::LeftButton)) move(event->globalPosition().toPoint() - *dragOffset_);
}

void QtWindow::mouseReleaseEvent(QMouseEvent*) { dragOffset_.reset(); }

// The windows end or hide only through their own controls, whose handlers keep the process's state
// in step. A close from the desktop would leave a window gone that the system still counts on (a
// hidden login window with no way back), so it is refused.
void QtWindow::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace toolkit::qt
