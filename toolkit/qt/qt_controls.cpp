#include "toolkit/qt/qt_controls.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "toolkit/qt/qt_look.h"
#include "toolkit/qt/qt_text.h"

namespace toolkit::qt {
namespace {

void PlaceFromLayout(QWidget& widget, const ControlLayout& layout) {
  widget.setObjectName(ToQString(layout.name));
  widget.setGeometry(layout.left, layout.top, layout.width, layout.height);
}

// A control nobody listens to belongs to what lies under it, so the press goes on to its parent:
// the picture box a label lies in, or the window, which a press on its background drags.
bool TakeLeftPress(QMouseEvent& event, const Handler& handler) {
  if (event.button() != Qt::LeftButton || !handler) {
    event.ignore();
    return false;
  }
  event.accept();
  return true;
}

}  // namespace

QtLabel::QtLabel(const ControlLayout& layout, QWidget* parent) : QLabel(parent) {
  PlaceFromLayout(*this, layout);
  // Status texts come from the service and the network: they are shown, never read as markup.
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, layout.lightText ? kTextOnDarkColour : kTextColour);
  setPalette(colours);
  SetText(layout.text);
}

void QtLabel::SetText(std::string_view text) {
  text_ = text;
  setText(ToQString(text));
}

void QtLabel::mousePressEvent(QMouseEvent* event) {
  if (TakeLeftPress(*event, press_)) RunHandler(press_);
}

QtPicture::QtPicture(const ControlLayout& layout, PictureStore& pictures, QWidget* parent)
    : QWidget(parent), pictures_(pictures), tag_(layout.tag), picture_(layout.picture) {
  PlaceFromLayout(*this, layout);
}

void QtPicture::SetPicture(std::string_view picture) {
  picture_ = picture;
  update();
}

void QtPicture::paintEvent(QPaintEvent*) { QPainter(this).drawPixmap(0, 0, pictures_.Find(picture_)); }

void QtPicture::mousePressEvent(QMouseEvent* event) {
  if (TakeLeftPress(*event, press_)) RunHandler(press_);
}

QtEdit::QtEdit(const ControlLayout& layout, QWidget* parent) : QLineEdit(parent) {
  PlaceFromLayout(*this, layout);
  // The background picture draws the box's outline; the edit only writes into it.
  setFrame(false);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, Qt::transparent);
  colours.setColor(QPalette::Text, kTextColour);
  setPalette(colours);
  if (layout.password) setEchoMode(QLineEdit::Password);
  setText(ToQString(layout.text));
  // Typing, pasting, undoing and SetText all pass through here.
  connect(this, &QLineEdit::textChanged, this, [this] { RunHandler(changed_); });
}

std::string QtEdit::Text() const { return FromQString(text()); }

// QLineEdit reports a change only when the text differs, as the interface asks.
void QtEdit::SetText(std::string_view text) { setText(ToQString(text)); }

QtButton::QtButton(const ControlLayout& layout, PictureStore& pictures, QWidget* parent)
    : QAbstractButton(parent),
      store_(pictures),
      tag_(layout.tag),
      pictures_{std::string(layout.picture), std::string(layout.hotPicture), std::string(layout.disabledPicture)} {
  PlaceFromLayout(*this, layout);
  setAttribute(Qt::WA_Hover);  // repaint as the mouse comes and goes, for the hot picture
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QAbstractButton::clicked, this, [this] { RunHandler(click_); });
}

void QtButton::SetNormalPicture(std::string_view picture) {
  pictures_.normal = picture;
  update();
}

void QtButton::SetPictures(const ButtonPictures& pictures) {
  pictures_ = pictures;
  update();
}

// A state without a picture of its own shows the normal one.
void QtButton::paintEvent(QPaintEvent*) {
  const std::string* picture = &pictures_.normal;
  if (!isEnabled()) {
    if (!pictures_.disabled.empty()) picture = &pictures_.disabled;
  } else if (underMouse() || isDown()) {
    if (!pictures_.hot.empty()) picture = &pictures_.hot;
  }
  QPainter(this).drawPixmap(0, 0, store_.Find(*picture));
}

QtTimer::QtTimer(QObject* parent) : QTimer(parent) {
  connect(this, &QTimer::timeout, this, [this] { RunHandler(tick_); });
}

void QtTimer::SetPeriod(int milliseconds) {
  period_ = std::max(milliseconds, 0);
  if (period_ == 0) {
    stop();
  } else {
    start(period_);
  }
}

}  // namespace toolkit::qt
