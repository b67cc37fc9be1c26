#pragma once

#include <QPixmap>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace toolkit::qt {

// The pictures of the windows: <folder>/<name>.png, each read once and then shared by every control
// that shows it. A name without a file gives a null pixmap, which paints nothing.
class PictureStore {
 public:
  explicit PictureStore(QString folder) : folder_(std::move(folder)) {}

  const QPixmap& Find(std::string_view name);

 private:
  QString folder_;
  std::map<std::string, QPixmap, std::less<>> loaded_;
};

}  // namespace toolkit::qt
