#pragma once
// The largest picture the application takes in. A hostile or absurd file (a header claiming
// 100000 x 100000 points) must be refused before anything is allocated for it.

#include <cstdint>

namespace vexa::picture {

inline constexpr int kMaxPictureSide = 20000;
// 60 million points: a 50-megapixel photograph fits, and the decoder's 32-bit image of it stays
// below Qt's allocation limit once that is raised to kDecoderAllocationLimitMb.
inline constexpr std::int64_t kMaxPicturePoints = 60'000'000;
inline constexpr int kDecoderAllocationLimitMb = 256;

inline bool FitsPictureLimits(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePoints;
}

}  // namespace vexa::picture
