#pragma once
// The job of one operation window: at most one at a time, the link abort ending it quietly, and
// the window's close put off until the job has unwound, so a window is never destroyed under
// its own running job.

#include <functional>

#include "link/machine_link.h"

namespace vexa::link {

class JobState {
 public:
  enum class Outcome {
    Refused,   // the window's job was running already; nothing was done
    Finished,  // the job ran to its end
    Aborted,   // the link abort ended it (the user stopped, or the port failed)
    Failed,    // another error ended it (QtJobGuard shows it; run() itself passes it on)
  };

  explicit JobState(MachineLink& link) : link_(link) {}
  JobState(const JobState&) = delete;
  JobState& operator=(const JobState&) = delete;

  bool running() const { return running_; }

  // The job entry point. Any other error passes on, with the job counted as ended.
  Outcome run(const std::function<void()>& job);

  // The window asks to close. Idle: true, close now. Running: raises StopRequested as a close,
  // so the job's next step move asks whether to stop, remembers the close and returns false. A
  // reply wait does not outlast the close for long when the board is silent, and asked again
  // while a reply is still missing, the raised flag ends that wait (MachineLink::WaitReply).
  bool requestClose();

  // The job calls it after every step move: StopRequested found clear while a close waits means
  // the user chose to continue in the stop question (or the pause dialog), and the window stays
  // (`closeWithdrawn` is told).
  void stepDone();
  std::function<void()> closeWithdrawn;

  // After run() returns: true, once, when a close was put off and not withdrawn.
  bool takeDeferredClose();

 private:
  MachineLink& link_;
  bool running_ = false;
  bool closeWanted_ = false;
};

}  // namespace vexa::link
