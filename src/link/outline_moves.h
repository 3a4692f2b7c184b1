#pragma once
// The outline engraving and cutting windows' primitives: X,Y,L,W; step moves with the laser
// switched off around the stop question.

#include <cstdint>
#include <functional>
#include <string>

#include "link/firmware_time.h"
#include "link/job_stream.h"
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
  // The running job's stream (its estimate, progress and journal); null: none is followed.
  JobStream* stream = nullptr;

  // X,Y,Z; with a plain write; the wait is skipped when the run box is unticked.
  void ArduinoMoveMM(double dx, double dy, double dz);

  // After Stop: the laser off (when the job has asked for it, and always when the board was
  // last told on), every owed reply collected, the question; Yes raises the link abort, No
  // switches the laser on again. Whether the laser is on is what the board was last told
  // (record.laserTold), never what the job means to do next.
  void StepMove(std::int32_t px, std::int32_t py, std::int32_t laser, std::int32_t delay,
                bool wait);

  // The one extra wait of the optimisation mode (see MillingMoves::WaitOwed).
  void WaitOwed() {
    if (!planning()) context_.link().WaitOwed(record.replyBuffer, context_.jobWait());
  }
  // A job starts from a clear stop flag.
  void ClearStop() {
    if (!planning()) context_.link().StopRequested = false;
  }
  // The job is being planned (see JobStream): the link is not touched, nothing is said.
  bool planning() const { return stream && stream->planning(); }
  const MotionContext& context() const { return context_; }

  // However a laser job ends: when the board was last told the laser is on and the line still
  // writes, sends 0,0,-1; without waiting for its reply.
  void SwitchLaserOff();
  // A job starts: the laser off should it have been left on (a line lost mid-contour), and
  // replies owed from before are not this job's answers.
  void BeginJob();

 private:
  void handleStop(bool wait);
  // Sends `command`, which tells the board `laser` (0: leaves the laser as it is).
  void send(const std::string& command, std::int32_t laser);

  MotionContext context_;
  std::function<PlaneScale()> scale_;
  WhenIdle whenIdle_;
  // The step delay the firmware holds as the job's plan goes (a plan starts with a fresh moves).
  std::int64_t plannedDelay_ = kFirmwareTravelDelay;
};

}  // namespace vexa::link

namespace vexa::link {

// A laser job from start to end, however it ends: OutlineMoves::BeginJob, then
// OutlineMoves::SwitchLaserOff.
class LaserJobScope {
 public:
  explicit LaserJobScope(OutlineMoves& moves) : moves_(moves) { moves_.BeginJob(); }
  ~LaserJobScope() { moves_.SwitchLaserOff(); }
  LaserJobScope(const LaserJobScope&) = delete;
  LaserJobScope& operator=(const LaserJobScope&) = delete;

 private:
  OutlineMoves& moves_;
};

}  // namespace vexa::link
