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

JobStream::Fate JobStream::plan(const CommandCost& cost) {
  estimate_->add(cost);
  if (cancelled_ && taken_ % kCancelCheckEvery == 0 && cancelled_->load()) throw PlanCancelled();
  ++taken_;
  return Fate::PassOver;
}

SteadyNanos JobClock(const MachineLink& link) {
  return [&link] { return SystemSteadyNanos() - link.heldNanos(); };
}

}  // namespace vexa::link
