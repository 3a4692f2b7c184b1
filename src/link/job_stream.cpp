#include "link/job_stream.h"

#include "link/machine_link.h"

namespace vexa::link {

namespace {

constexpr std::int64_t kCancelCheckEvery = 4096;

}  // namespace

JobStream JobStream::Planning(JobEstimate& estimate, const std::atomic<bool>* cancelled) {
  JobStream stream;
  stream.estimate_ = &estimate;
  stream.cancelled_ = cancelled;
  return stream;
}

JobStream JobStream::Running(std::int64_t firstSent, JobProgress* progress,
                             ConfirmedCommands* journal) {
  JobStream stream;
  stream.firstSent_ = firstSent > 0 ? firstSent : 0;
  stream.progress_ = progress;
  stream.journal_ = journal;
  // What was confirmed before is done at once; the pace is measured from the first sent.
  if (progress && stream.firstSent_ > 0) progress->skipped(stream.firstSent_);
  return stream;
}

JobStream::Fate JobStream::take(const CommandCost& cost, bool runTicked) {
  const std::int64_t index = taken_++;
  if (estimate_) {
    estimate_->add(cost);
    if (cancelled_ && index % kCancelCheckEvery == 0 && cancelled_->load()) throw PlanCancelled();
    return Fate::PassOver;
  }
  if (index < firstSent_) return Fate::PassOver;
  if (progress_) progress_->commandDone();
  if (!runTicked) {
    if (journal_) journal_->planned(index + 1, 0);
    return Fate::DryRun;
  }
  if (journal_) journal_->sent(index, 0);
  return Fate::Send;
}

SteadyNanos JobClock(const MachineLink& link) {
  return [&link] { return SystemSteadyNanos() - link.heldNanos(); };
}

}  // namespace vexa::link
