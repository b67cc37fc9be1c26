#include "toolkit/qt/qt_look.h"

#include <QStringList>

namespace toolkit::qt {

// 9 pt at 96 dpi, given in pixels: the controls are placed in pixels, so the text must not grow with
// the screen's nominal resolution. Where the first family is missing, the second is the one the
// captions in the pictures were drawn with.
QFont ControlFont() {
  QFont font;
  font.setFamilies({QStringLiteral("微软雅黑"), QStringLiteral("WenQuanYi Micro Hei")});
  font.setPixelSize(12);
  return font;
}

}  // namespace toolkit::qt
