#include "figures/contour_starts.h"

namespace vexa::figures {

ContourStarts::ContourStarts(const FigureMap& map) : width_(map.width()) {
  if (map.empty() || map.width() < 1 || map.height() < 1) return;
  std::uint32_t index = 0;
  for (int y = 1; y <= map.height(); ++y) {
    const std::int32_t* cells = map.row(y);
    const std::int32_t* below = map.row(y + 1);
    for (int x = 1; x <= map.width(); ++x, ++index) {
      const std::int32_t figure = cells[x];
      if (figure < 1) continue;
      if (std::size_t(figure) >= outer_.size()) outer_.resize(std::size_t(figure) * 2 + 1, -1);
      if (outer_[std::size_t(figure)] < 0) outer_[std::size_t(figure)] = index;
      if (below[x] != figure) aboveHole_.try_emplace(pairKey(figure, below[x]), index);
    }
  }
}

std::optional<Pixel> ContourStarts::outer(std::int32_t figure) const {
  if (figure < 1 || std::size_t(figure) >= outer_.size() || outer_[std::size_t(figure)] < 0) {
    return std::nullopt;
  }
  return pixelAt(std::uint32_t(outer_[std::size_t(figure)]));
}

std::optional<Pixel> ContourStarts::aboveHole(std::int32_t figure, std::int32_t hole) const {
  const auto found = aboveHole_.find(pairKey(figure, hole));
  if (found == aboveHole_.end()) return std::nullopt;
  return pixelAt(found->second);
}

}  // namespace vexa::figures
