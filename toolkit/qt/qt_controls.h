#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <string>

#include "toolkit/controls.h"
#include "toolkit/layout.h"
#include "toolkit/qt/qt_pictures.h"

namespace toolkit::qt {

// Each control is its widget: Qt's parent owns it, and the window hands it out by its interface.
// Texts the system sets are kept as given, so reading one back returns the same bytes even where
// the code page has no character for them; only an edit box, which the user writes, reads its
// widget.

class QtLabel final : public QLabel, public TransparentLabel {
 public:
  QtLabel(const ControlLayout& layout, QWidget* parent);
  std::string Text() const override { return text_; }
  void SetText(std::string_view text) override;
  bool Visible() const override { return !isHidden(); }
  void SetVisible(bool visible) override { setVisible(visible); }
  void OnLeftPress(Handler handler) override { press_ = std::move(handler); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::string text_;
  Handler press_;
};

class QtPicture final : public QWidget, public PictureBox {
 public:
  QtPicture(const ControlLayout& layout, PictureStore& pictures, QWidget* parent);
  std::string Tag() const override { return tag_; }
  void SetTag(std::string_view tag) override { tag_ = tag; }
  std::string Picture() const override { return picture_; }
  void SetPicture(std::string_view picture) override;
  int Left() const override { return x(); }
  int Top() const override { return y(); }
  void SetPlace(int left, int top) override { move(left, top); }
  bool Visible() const override { return !isHidden(); }
  void SetVisible(bool visible) override { setVisible(visible); }
  void OnLeftPress(Handler handler) override { press_ = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  PictureStore& pictures_;
  std::string tag_;
  std::string picture_;
  Handler press_;
};

class QtEdit final : public QLineEdit, public EditBox {
 public:
  QtEdit(const ControlLayout& layout, QWidget* parent);
  std::string Text() const override;
  void SetText(std::string_view text) override;
  void OnTextChanged(Handler handler) override { changed_ = std::move(handler); }

 private:
  Handler changed_;
};

class QtButton final : public QAbstractButton, public ImageButton {
 public:
  QtButton(const ControlLayout& layout, PictureStore& pictures, QWidget* parent);
  std::string Tag() const override { return tag_; }
  void SetTag(std::string_view tag) override { tag_ = tag; }
  ButtonPictures Pictures() const override { return pictures_; }
  void SetNormalPicture(std::string_view picture) override;
  void SetPictures(const ButtonPictures& pictures) override;
  bool Enabled() const override { return isEnabled(); }
  void SetEnabled(bool enabled) override { setEnabled(enabled); }
  void OnClick(Handler handler) override { click_ = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PictureStore& store_;
  std::string tag_;
  ButtonPictures pictures_;
  Handler click_;
};

class QtTimer final : public QTimer, public WindowTimer {
 public:
  explicit QtTimer(QObject* parent);
  int Period() const override { return period_; }
  // Setting a period starts counting it afresh, even when it equals the running one.
  void SetPeriod(int milliseconds) override;
  void OnTick(Handler handler) override { tick_ = std::move(handler); }

 private:
  int period_ = 0;
  Handler tick_;
};

// Runs a handler from a copy, so a handler that replaces itself does not pull the ground from
// under its own call.
inline void RunHandler(const Handler& handler) {
  if (!handler) return;
  Handler running = handler;
  running();
}

}  // namespace toolkit::qt
