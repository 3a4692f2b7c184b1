#pragma once
// The raster engraving and wood burning windows' step move: whole steps per pixel, X,Y,R;.

#include <cstdint>
#include <functional>
#include <string>

#include "link/motion_context.h"
#include "link/outline_moves.h"

namespace vexa::link {

class RasterMoves {
 public:
  RasterMoves(MotionContext context, std::function<PlaneScale()> scale)
      : context_(std::move(context)), scale_(std::move(scale)) {}

  ReplyBuffer replyBuffer;

  // Whole motor steps per picture pixel, from the window's width field and picture.
  std::int32_t stepsPerPixelX() const;
  std::int32_t stepsPerPixelY() const;

  // After Stop, asks whether to stop (Yes raises the link abort). Sends px and py times the
  // whole steps per pixel and the burn value R, with no accumulation.
  void StepMove(std::int32_t px, std::int32_t py, std::int32_t burn, bool wait);

 private:
  MotionContext context_;
  std::function<PlaneScale()> scale_;
};

}  // namespace vexa::link
