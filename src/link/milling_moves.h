#pragma once
// The milling window's primitives: millimetre moves and the step move of its jobs (pixels
// along X and Y, gray levels along Z).

#include <cstdint>
#include <functional>

#include "link/job_stream.h"
#include "link/motion_context.h"
#include "link/move_listener.h"
#include "link/position_record.h"

namespace vexa::link {

// Read from the window's fields at every step move.
struct MillingScale {
  double widthMm = 0;    // finished width: serves X and Y
  double depthMm = 0;    // depth of gray level 255
  int pictureWidth = 0;  // pixels
};

class MillingMoves {
 public:
  MillingMoves(MotionContext context, std::function<MillingScale()> scale)
      : context_(std::move(context)), scale_(std::move(scale)) {}

  PositionRecord record;
  // Told of every step move once it is accounted for, sent or not (the G-code export).
  MoveListener listener;
  // The running job's stream (its estimate, progress and journal); null: none is followed.
  JobStream* stream = nullptr;

  // One relative move X,Y,Z,D; at travel delay, confirmed write; nothing when the port is shut.
  void ArduinoMoveMM(double dx, double dy, double dz);

  // Accumulates the exact position and sends the rounded difference as X,Y,Z,W;. A pending
  // Stop opens the pause dialog first; choosing to stop raises the link abort.
  void StepMove(std::int32_t px, std::int32_t py, std::int32_t pz, std::int32_t delay, bool wait);

  // The manual move of a running job: added once to the next step move.
  void SetPendingOffsets(double dxMm, double dyMm, double dzMm);
  AxisSteps pendingOffsets() const { return pending_; }

  // The one extra wait of the optimisation mode: collects the reply of a move sent without
  // waiting, when one is owed (a travel of no steps and no delay sends nothing; unticked run
  // box: nothing is awaited).
  void WaitOwed() {
    if (!planning()) context_.link().WaitOwed(record.replyBuffer, context_.jobWait());
  }
  // A job starts: a stop asked for before it is forgotten, and replies a job before it left
  // owed are not this job's answers.
  void BeginJob() {
    if (planning()) return;
    context_.link().StopRequested = false;
    context_.link().AbandonOwed(record.replyBuffer);
  }
  // The job is being planned (see JobStream): the link is not touched, nothing is said.
  bool planning() const { return stream && stream->planning(); }
  const MotionContext& context() const { return context_; }

 private:

  MotionContext context_;
  std::function<MillingScale()> scale_;
  AxisSteps pending_;
};

}  // namespace vexa::link
