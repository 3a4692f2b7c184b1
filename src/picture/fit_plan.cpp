#include "picture/fit_plan.h"

#include <cmath>

#include "link/nearest.h"
#include "picture/picture_limits.h"
#include "picture/stretch_copy.h"

namespace vexa::picture {

FitPlan PlanFit(double targetWidth, double spotDiameter, int width, int height) {
  FitPlan plan;
  if (!std::isfinite(targetWidth) || !std::isfinite(spotDiameter) || targetWidth <= 0 ||
      spotDiameter <= 0 || width < 1 || height < 1) {
    return plan;
  }
  plan.across = link::Nearest(targetWidth / spotDiameter);
  plan.down = link::Nearest(plan.across * height / width);
  const bool countable = plan.across <= kMaxPictureSide && plan.down <= kMaxPictureSide;
  plan.status = countable && FitsPictureLimits(static_cast<std::int64_t>(plan.across),
                                               static_cast<std::int64_t>(plan.down))
                    ? FitPlan::Status::Ok
                    : FitPlan::Status::BadSize;
  return plan;
}

PixelBuffer FitPicture(const PixelBuffer& picture, const FitPlan& plan) {
  return StretchCopy(picture, static_cast<int>(plan.across), static_cast<int>(plan.down));
}

}  // namespace vexa::picture
