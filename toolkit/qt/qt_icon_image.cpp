#include "toolkit/qt/qt_icon_image.h"

#include <cstdint>
#include <cstring>

namespace toolkit::qt {

namespace {

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";
constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
constexpr std::int32_t kLargestSide = 256;  // icon files hold nothing larger

template <typename Number>
Number ReadAt(std::string_view bytes, std::size_t at) {
  Number value;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

struct BitmapHeader {
  std::uint32_t size;
  std::int32_t width;
  std::int32_t height;  // colour rows and mask rows
  std::uint16_t planes;
  std::uint16_t bitCount;
  std::uint32_t compression;
  std::uint32_t coloursUsed;
};

BitmapHeader ReadBitmapHeader(std::string_view image) {
  return {.size = ReadAt<std::uint32_t>(image, 0),
          .width = ReadAt<std::int32_t>(image, 4),
          .height = ReadAt<std::int32_t>(image, 8),
          .planes = ReadAt<std::uint16_t>(image, 12),
          .bitCount = ReadAt<std::uint16_t>(image, 14),
          .compression = ReadAt<std::uint32_t>(image, 16),
          .coloursUsed = ReadAt<std::uint32_t>(image, 32)};
}

QImage DecodeBitmap(std::string_view image) {
  if (image.size() < kBitmapInfoHeaderSize) return {};
  BitmapHeader header = ReadBitmapHeader(image);
  const std::int32_t width = header.width;
  const std::int32_t height = header.height / 2;
  if (header.size < kBitmapInfoHeaderSize || header.planes != 1 || header.bitCount != 32 || header.compression != 0 ||
      width <= 0 || width > kLargestSide || height <= 0 || height > kLargestSide || header.coloursUsed > 256) {
    return {};
  }
  const std::size_t colourRow = static_cast<std::size_t>(width) * 4;
  const std::size_t maskRow = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  const std::size_t colours = std::size_t{header.size} + std::size_t{header.coloursUsed} * 4;
  const std::size_t mask = colours + colourRow * static_cast<std::size_t>(height);
  if (image.size() < mask + maskRow * static_cast<std::size_t>(height)) return {};

  QImage picture(width, height, QImage::Format_ARGB32);
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    const std::size_t row = colours + colourRow * static_cast<std::size_t>(height - 1 - y);
    auto* pixels = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < width; ++x) {
      auto byte = [&](int channel) { return static_cast<unsigned char>(image[row + 4 * x + channel]); };
      pixels[x] = qRgba(byte(2), byte(1), byte(0), byte(3));
      anyAlpha = anyAlpha || byte(3) != 0;
    }
  }
  if (anyAlpha) return picture;
  // An image without alpha is shaped by its mask.
  for (int y = 0; y < height; ++y) {
    const std::size_t row = mask + maskRow * static_cast<std::size_t>(height - 1 - y);
    auto* pixels = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < width; ++x) {
      bool transparent = static_cast<unsigned char>(image[row + x / 8]) & (0x80 >> (x % 8));
      pixels[x] = transparent ? qRgba(0, 0, 0, 0) : (pixels[x] | 0xFF000000u);
    }
  }
  return picture;
}

}  // namespace

QImage DecodeIconImage(std::string_view image) {
  if (image.starts_with(kPngSignature)) {
    QImage picture = QImage::fromData(QByteArrayView(image.data(), static_cast<qsizetype>(image.size())), "PNG");
    return picture.isNull() ? picture : picture.convertToFormat(QImage::Format_ARGB32);
  }
  return DecodeBitmap(image);
}

}  // namespace toolkit::qt
