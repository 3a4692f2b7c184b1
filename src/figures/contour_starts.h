#pragma once
// Where the contour tracers start: the first pixel of a figure in reading order (its outer
// contour), and the first pixel of a figure that lies directly above a given hole. Found for all
// figures in one pass over the map, instead of one pass per contour.

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "figures/figure_map.h"

namespace vexa::figures {

struct Pixel {
  int x = 0;
  int y = 0;
  friend bool operator==(const Pixel&, const Pixel&) = default;
};

class ContourStarts {
 public:
  // Reads pixels (1..W, 1..H) and, for the pixels of the last row, the frame row below them.
  explicit ContourStarts(const FigureMap& map);

  // The first pixel of `figure` scanning rows from the top and each row from the left.
  std::optional<Pixel> outer(std::int32_t figure) const;
  // The first pixel of `figure`, in the same order, whose lower neighbour belongs to `hole`.
  std::optional<Pixel> aboveHole(std::int32_t figure, std::int32_t hole) const;

 private:
  static std::uint64_t pairKey(std::int32_t figure, std::int32_t hole) {
    return (std::uint64_t(std::uint32_t(figure)) << 32) | std::uint32_t(hole);
  }
  Pixel pixelAt(std::uint32_t index) const {
    return {int(index % std::uint32_t(width_)) + 1, int(index / std::uint32_t(width_)) + 1};
  }

  int width_ = 0;
  std::vector<std::int64_t> outer_;  // by figure number: pixel index, or -1
  std::unordered_map<std::uint64_t, std::uint32_t> aboveHole_;
};

}  // namespace vexa::figures
