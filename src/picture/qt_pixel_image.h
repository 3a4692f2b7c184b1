#pragma once
// PixelBuffer and Qt's picture object.

#include <QImage>

#include "picture/pixel_buffer.h"
#include "picture/qt_path.h"  // ToQString, for the files that found it here

namespace vexa::picture {

// A QImage over the buffer's own bytes (Format_BGR888, the buffer's stride): no copy. Valid while
// the buffer lives and keeps its size; the QImage only reads.
QImage ToQImage(const PixelBuffer& picture);

// A copy of any QImage. Transparent and half-transparent pixels are laid over white. A size
// outside the picture limits raises PictureTooLarge.
PixelBuffer FromQImage(const QImage& image);

}  // namespace vexa::picture
