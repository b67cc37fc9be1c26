#pragma once

#include <QImage>
#include <string_view>

namespace toolkit::qt {

// One image of an icon file as a picture with alpha. The image is either a PNG or a
// device-independent bitmap as icon files hold them: a BITMAPINFOHEADER whose height counts the
// colour rows and the mask rows together, then the 32-bit BGRA colour rows bottom-up, then the
// 1-bit mask rows (set bit: transparent), each mask row padded to 4 bytes. The mask counts only
// where no pixel carries alpha. Anything else (other bit depths, compression, a size beyond 256,
// bytes missing) gives a null image.
QImage DecodeIconImage(std::string_view image);

}  // namespace toolkit::qt
