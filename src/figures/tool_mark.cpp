#include "figures/tool_mark.h"

#include <algorithm>
#include <cmath>

namespace vexa::figures {

ToolMark::ToolMark(double radius, int width, int height) {
  if (!(radius >= 0) || !std::isfinite(radius)) return;
  const double limit = radius * radius;
  // The smallest integer not below the radius, as the plain method's window; no row or chord
  // can matter beyond the picture's own size.
  const double fullReach = std::ceil(radius);
  reach_ = int(std::min<double>(fullReach, std::max(width, height)));
  const int widest = std::max(width, 0);
  chords_.assign(std::size_t(2 * reach_ + 1), -1);
  auto inside = [limit](long long i, long long j) { return double(i * i + j * j) <= limit; };
  for (int j = -reach_; j <= reach_; ++j) {
    if (!inside(0, j)) continue;
    long long chord = (long long)std::floor(std::sqrt(std::max(0.0, limit - double(j) * j)));
    while (chord > 0 && !inside(chord, j)) --chord;
    while (chord < widest && inside(chord + 1, j)) ++chord;
    chords_[std::size_t(j + reach_)] = int(std::min<long long>(chord, widest));
  }
}

void ToolMark::paint(picture::PixelBuffer& picture, int x, int y,
                     std::vector<std::size_t>* changed) const {
  const int width = picture.width();
  for (int j = -reach_; j <= reach_; ++j) {
    const int chord = chords_[std::size_t(j + reach_)];
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
