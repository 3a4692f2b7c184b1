#include "cutting/strokes.h"

namespace vexa::cutting {

void MarkRed(picture::PixelBuffer& picture, int x, int y) {
  if (x < 1 || y < 1 || x > picture.width() || y > picture.height()) return;
  picture.setColor(x, y, 0, 0, 255);
}

void MarkRedPlus(picture::PixelBuffer& picture, int x, int y) {
  MarkRed(picture, x, y);
  MarkRed(picture, x, y - 1);
  MarkRed(picture, x, y + 1);
  MarkRed(picture, x - 1, y);
  MarkRed(picture, x + 1, y);
}

}  // namespace vexa::cutting
