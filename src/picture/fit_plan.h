#pragma once
// FitPicture of the raster windows: one pixel per spot diameter across the target width.

#include <cstdint>

#include "picture/pixel_buffer.h"

namespace vexa::picture {

struct FitPlan {
  enum class Status {
    Ok,
    BadNumbers,  // the width or the spot diameter is not a positive number
    BadSize,     // N x M is below one pixel or above the picture limits
  };
  Status status = Status::BadNumbers;
  double across = 0;  // N = nearest(target width / spot diameter)
  double down = 0;    // M = nearest(N x H / W)
};

// The size a W x H picture gets for `targetWidth` and `spotDiameter` (millimetres).
FitPlan PlanFit(double targetWidth, double spotDiameter, int width, int height);

// The picture resampled to the plan's N x M (StretchCopy); the plan must be Ok.
PixelBuffer FitPicture(const PixelBuffer& picture, const FitPlan& plan);

}  // namespace vexa::picture
