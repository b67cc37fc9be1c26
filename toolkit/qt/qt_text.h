#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace toolkit::qt {

// The system's texts are bytes in its code page; Qt's are Unicode. Every text crosses here, both ways.
QString ToQString(std::string_view text);
std::string FromQString(const QString& text);

}  // namespace toolkit::qt
