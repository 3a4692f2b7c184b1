#include "link/job_state.h"

namespace vexa::link {

JobState::Outcome JobState::run(const std::function<void()>& job) {
  if (running_) return Outcome::Refused;
  running_ = true;
  closeWanted_ = false;
  struct EndOfJob {
    bool& running;
    ~EndOfJob() { running = false; }
  } endOfJob{running_};
  try {
    job();
  } catch (const LinkAbort&) {
    return Outcome::Aborted;
  }
  return Outcome::Finished;
}

bool JobState::requestClose() {
  if (!running_) return true;
  closeWanted_ = true;
  link_.StopRequested.requestClose();
  return false;
}

void JobState::stepDone() {
  if (!closeWanted_ || link_.StopRequested) return;
  closeWanted_ = false;
  if (closeWithdrawn) closeWithdrawn();
}

bool JobState::takeDeferredClose() {
  const bool due = closeWanted_ && !running_;
  if (due) closeWanted_ = false;
  return due;
}

}  // namespace vexa::link
