#pragma once
// How a pixel's gray level becomes the third field of its burn move: the laser's dwell per motor
// step, the impact head's strike duration, the hot wire's delay per step. Darker is longer.

#include <array>
#include <cstdint>

namespace vexa::raster {

class DwellScale {
 public:
  // t(v) = nearest((black - white) x (255 - v) / 255 + white) for the levels 0 to 254: black
  // gives `black`, and the scale would reach `white` at 255, which is never burned.
  DwellScale(double black, double white);

  std::int32_t operator()(std::uint8_t level) const { return table_[level]; }

 private:
  std::array<std::int32_t, 256> table_{};
};

}  // namespace vexa::raster
