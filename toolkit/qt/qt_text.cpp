#include "toolkit/qt/qt_text.h"

#include <QStringView>

#include "platform/codepage.h"

namespace toolkit::qt {

QString ToQString(std::string_view text) {
  std::u16string wide = platform::ToUtf16(text, platform::CodePage::Ansi);
  return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

std::string FromQString(const QString& text) {
  QStringView view(text);
  return platform::FromUtf16(std::u16string_view(view.utf16(), static_cast<std::size_t>(view.size())),
                             platform::CodePage::Ansi);
}

}  // namespace toolkit::qt
