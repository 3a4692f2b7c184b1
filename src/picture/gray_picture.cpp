#include "picture/gray_picture.h"

#include <array>
#include <cfloat>
#include <cstdint>

namespace vexa::picture {

namespace {

// The three products for every byte value, computed once. Adding table entries gives the same
// doubles as multiplying in place, so the rounding (ties to even included) is unchanged.
struct WeightTables {
  std::array<double, 256> blue{}, green{}, red{};
  WeightTables() {
    for (int v = 0; v < 256; ++v) {
      blue[v] = 0.3 * v;
      green[v] = 0.6 * v;
      red[v] = 0.11 * v;
    }
  }
};

// nearest(x) for 0 <= x < 2^51 in the default rounding mode (halves to even), without a library
// call: adding 1.5 x 2^52 leaves no bits below the units, so the addition itself rounds. Needs
// plain double arithmetic (no wider intermediates, no fast-math folding).
static_assert(FLT_EVAL_METHOD == 0);
inline double nearestSmall(double x) {
  constexpr double kShift = 6755399441055744.0;
  return (x + kShift) - kShift;
}

// Each output pixel depends on its own input pixel only, so `out` may be `in`.
void convertPixels(const PixelBuffer& in, PixelBuffer& out) {
  static const WeightTables weights;
  for (int y = 1; y <= in.height(); ++y) {
    const std::uint8_t* from = in.row(y);
    std::uint8_t* to = out.row(y);
    for (int x = 0; x < in.width(); ++x, from += 3, to += 3) {
      const double g =
          nearestSmall(weights.blue[from[0]] + weights.green[from[1]] + weights.red[from[2]]);
      const std::uint8_t level = g > 255 ? 255 : static_cast<std::uint8_t>(g);
      to[0] = to[1] = to[2] = level;
    }
  }
}

}  // namespace

PixelBuffer Gray32Picture(const PixelBuffer& picture) {
  PixelBuffer gray = PixelBuffer::ForOverwrite(picture.width(), picture.height());
  convertPixels(picture, gray);
  return gray;
}

PixelBuffer Gray32Picture(PixelBuffer&& picture) {
  PixelBuffer gray = std::move(picture);
  convertPixels(gray, gray);
  return gray;
}

}  // namespace vexa::picture
