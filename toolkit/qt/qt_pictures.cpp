#include "toolkit/qt/qt_pictures.h"

#include <QDir>

#include "toolkit/qt/qt_text.h"

namespace toolkit::qt {

const QPixmap& PictureStore::Find(std::string_view name) {
  auto found = loaded_.find(name);
  if (found != loaded_.end()) return found->second;
  QPixmap picture;
  if (!name.empty()) picture.load(QDir(folder_).filePath(ToQString(name) + QStringLiteral(".png")), "PNG");
  return loaded_.emplace(std::string(name), std::move(picture)).first->second;
}

}  // namespace toolkit::qt
