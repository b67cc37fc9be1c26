#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "toolkit/layout.h"
#include "toolkit/qt/qt_controls.h"
#include "toolkit/qt/qt_list.h"
#include "toolkit/qt/qt_pictures.h"
#include "toolkit/qt/qt_shell.h"
#include "toolkit/window.h"

namespace toolkit::qt {

// A top-level window without system frame, painted from its background picture, holding the
// widgets of its layout. A press on the background (or on a control that takes no press) and a
// move drag the window. The window's handle lives as long as the window; its procedure sees
// kWmDestroy as the window goes.
class QtWindow final : public QWidget, public Window {
 public:
  QtWindow(const WindowLayout& layout, PictureStore& pictures, QtShell& shell);
  ~QtWindow() override { shell_.DestroyWidget(handle_); }

  std::string_view Name() const override { return name_; }
  WindowHandle Handle() const override { return handle_; }
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override;
  bool Visible() const override { return isVisible(); }
  void Show() override;
  void Hide() override { hide(); }

  QtLabel& Label(std::string_view name) override { return Find(labels_, name); }
  QtPicture& Picture(std::string_view name) override { return Find(pictures_, name); }
  QtEdit& Edit(std::string_view name) override { return Find(edits_, name); }
  QtButton& Button(std::string_view name) override { return Find(buttons_, name); }
  QtList& List(std::string_view name) override { return Find(lists_, name); }
  QtTimer& Timer(std::string_view name) override { return Find(timers_, name); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  template <typename Control>
  using Controls = std::map<std::string, Control*, std::less<>>;

  template <typename Control>
  Control& Find(const Controls<Control>& controls, std::string_view name) const;
  [[noreturn]] void Fail(const char* what, std::string_view name) const;
  void BuildControls(const WindowLayout& layout, PictureStore& pictures);

  std::string name_;
  QtShell& shell_;
  WindowHandle handle_;
  std::string caption_;
  const QPixmap& background_;
  std::optional<QPoint> dragOffset_;
  // The widgets belong to the window, as Qt's children.
  Controls<QtLabel> labels_;
  Controls<QtPicture> pictures_;
  Controls<QtEdit> edits_;
  Controls<QtButton> buttons_;
  Controls<QtList> lists_;
  Controls<QtTimer> timers_;
};

}  // namespace toolkit::qt
