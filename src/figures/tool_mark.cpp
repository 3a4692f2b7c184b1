#include "figures/tool_mark.h"

#include <algorithm>

namespace vexa::figures {

ToolMark::ToolMark(double radius, int width, int height)
    : disc_(ChordsOfDisc(radius, std::max(width, height), width)) {}

void ToolMark::paint(picture::PixelBuffer& picture, int x, int y,
                     std::vector<std::size_t>* changed) const {
  const int width = picture.width();
  for (int j = -disc_.reach; j <= disc_.reach; ++j) {
    const int chord = disc_.chord(j);
    const int row = y + j;
    if (chord < 0 || row < 1 || row > picture.height()) continue;
    const int from = std::max(1, x - chord);
    const int to = std::min(width, x + chord);
    std::uint8_t* bytes = picture.pixel(1, row);
    for (int px = from; px <= to; ++px) {
      std::uint8_t* pixel = bytes + std::size_t(px - 1) * 3;
      if (pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 255) continue;
      pixel[0] = 0;
      pixel[1] = 0;
      pixel[2] = 255;
      if (changed) changed->push_back(std::size_t(pixel - picture.data()));
    }
  }
}

}  // namespace vexa::figures
