#pragma once
// The outline engraving and cutting windows' primitives: X,Y,L,W; step moves with the laser
// switched off around the stop question.

#include <cstdint>
#include <functional>

#include "link/motion_context.h"
#include "link/move_listener.h"
#include "link/position_record.h"

namespace vexa::link {

// Read from the window's fields at every step move.
struct PlaneScale {
  double widthMm = 0;    // finished width: serves X and Y
  int pictureWidth = 0;  // pixels
};

class OutlineMoves {
 public:
  enum class WhenIdle { Continue, Sleep };  // the cutting window sleeps 1 ms on empty moves

  OutlineMoves(MotionContext context, std::function<PlaneScale()> scale, WhenIdle whenIdle)
      : context_(std::move(context)), scale_(std::move(scale)), whenIdle_(whenIdle) {}

  PositionRecord record;
  // Told of every step move once it is accounted for, sent or not (the G-code export).
  MoveListener listener;

  // X,Y,Z; with a plain write; the wait is skipped when the run box is unticked.
  void ArduinoMoveMM(double dx, double dy, double dz);

  void StepMove(std::int32_t px, std::int32_t py, std::int32_t laser, std::int32_t delay,
                bool wait);

  // The one extra wait of the optimisation mode (see MillingMoves::WaitReply).
  void WaitReply() { context_.link().WaitReply(record.replyBuffer, context_.jobWait()); }
  const MotionContext& context() const { return context_; }

 private:
  void handleStop(bool wait);

  MotionContext context_;
  std::function<PlaneScale()> scale_;
  WhenIdle whenIdle_;
};

}  // namespace vexa::link
