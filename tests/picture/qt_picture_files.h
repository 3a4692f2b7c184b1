#pragma once
// Picture files the Qt-side tests make with Qt's own writers, and where to find a JPEG's parts.

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include "picture/qt_pixel_image.h"
#include "picture_files.h"

namespace vexa::picture::test {

// A smooth colour picture with some texture, as photographs are.
inline PixelBuffer photo(int width, int height) {
  PixelBuffer picture(width, height);
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      picture.setColor(x, y, static_cast<std::uint8_t>(x * 3 + (x * y) % 7),
                       static_cast<std::uint8_t>(y * 4), static_cast<std::uint8_t>(200 - x - y));
    }
  }
  return picture;
}

inline Bytes qtJpeg(const PixelBuffer& picture, bool progressive = false, bool gray = false) {
  QImage image = ToQImage(picture).copy();
  if (gray) image = image.convertToFormat(QImage::Format_Grayscale8);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(90);
  writer.setProgressiveScanWrite(progressive);
  if (!writer.write(image)) return {};
  return Bytes(bytes.begin(), bytes.end());
}

// Offsets of every marker whose second byte is `second` (0xDA start of scan, 0xC0 start of
// frame, ...). Good enough for the files Qt writes, which carry no thumbnails.
inline std::vector<std::size_t> markers(const Bytes& jpeg, std::uint8_t second) {
  std::vector<std::size_t> found;
  for (std::size_t i = 2; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == second) found.push_back(i);
  }
  return found;
}

inline std::size_t scanDataStart(const Bytes& jpeg) {
  const std::size_t sos = markers(jpeg, 0xDA).at(0);
  return sos + 2 + (jpeg[sos + 2] << 8 | jpeg[sos + 3]);
}

}  // namespace vexa::picture::test
