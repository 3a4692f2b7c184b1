#include "raster/dwell_scale.h"

#include "link/nearest.h"

namespace vexa::raster {

DwellScale::DwellScale(double black, double white) {
  // The callers check both ends against the 32-bit range, so every value between fits too.
  for (int level = 0; level < 255; ++level) {
    table_[level] =
        static_cast<std::int32_t>(link::Nearest((black - white) * (255 - level) / 255 + white));
  }
  table_[255] = 0;  // white: travel, never a burn
}

}  // namespace vexa::raster
