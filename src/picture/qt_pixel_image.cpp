#include "picture/qt_pixel_image.h"

#include "picture/picture_errors.h"
#include "picture/picture_limits.h"

namespace vexa::picture {

QImage ToQImage(const PixelBuffer& picture) {
  if (picture.empty()) return QImage();
  return QImage(picture.data(), picture.width(), picture.height(), picture.stride(),
                QImage::Format_BGR888);
}

PixelBuffer FromQImage(const QImage& image) {
  if (image.isNull()) throw CannotLoadFile();
  if (!FitsPictureLimits(image.width(), image.height())) {
    throw PictureTooLarge(image.width(), image.height());
  }
  PixelBuffer picture = PixelBuffer::ForOverwrite(image.width(), image.height());
  const int width = image.width();

  if (image.format() == QImage::Format_Grayscale8 || image.format() == QImage::Format_Grayscale16) {
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < gray.height(); ++y) {
      const uchar* in = gray.constScanLine(y);
      std::uint8_t* out = picture.row(y + 1);
      for (int x = 0; x < width; ++x, out += 3) out[0] = out[1] = out[2] = in[x];
    }
    return picture;
  }

  // Premultiplied, laying a pixel over white is c + (255 - alpha) for each colour.
  const bool transparent = image.hasAlphaChannel();
  const QImage rgb = image.convertToFormat(transparent ? QImage::Format_ARGB32_Premultiplied
                                                       : QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    std::uint8_t* out = picture.row(y + 1);
    for (int x = 0; x < width; ++x, out += 3) {
      const QRgb p = in[x];
      const int white = transparent ? 255 - qAlpha(p) : 0;
      out[0] = static_cast<std::uint8_t>(qBlue(p) + white);
      out[1] = static_cast<std::uint8_t>(qGreen(p) + white);
      out[2] = static_cast<std::uint8_t>(qRed(p) + white);
    }
  }
  return picture;
}

}  // namespace vexa::picture
