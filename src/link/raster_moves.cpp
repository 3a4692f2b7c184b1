#include "link/raster_moves.h"

#include "link/commands.h"
#include "link/step_count.h"

namespace vexa::link {

std::int32_t RasterMoves::stepsPerPixelX() const {
  const PlaneScale scale = scale_();
  return ToStepCount(scale.widthMm / context_.settings().SM_X_ratio / scale.pictureWidth,
                     context_.link());
}

std::int32_t RasterMoves::stepsPerPixelY() const {
  const PlaneScale scale = scale_();
  return ToStepCount(scale.widthMm / context_.settings().SM_Y_ratio / scale.pictureWidth,
                     context_.link());
}

void RasterMoves::StepMove(std::int32_t px, std::int32_t py, std::int32_t burn, bool wait) {
  MachineLink& link = context_.link();
  if (link.StopRequested) {
    if (context_.askToStop()) throw LinkAbort();
    link.StopRequested = false;
  }
  const std::int32_t x = ToStepCount(std::int64_t{px} * stepsPerPixelX(), link);
  const std::int32_t y = ToStepCount(std::int64_t{py} * stepsPerPixelY(), link);
  if (!context_.runTicked()) return;
  link.Send(replyBuffer, RasterMove(x, y, burn));
  if (wait) link.WaitReply(replyBuffer, context_.jobWait());
}

}  // namespace vexa::link
