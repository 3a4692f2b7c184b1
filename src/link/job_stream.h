#pragma once
// A job's command stream as its estimate, its progress and going on after a cut link see it.
// The step moves hand every command a job means to send to the job's stream first, and the
// stream decides its fate:
//   planning: nothing is sent and nothing awaited; every command is counted into an estimate
//     (the job runs on copies of the window's pictures, possibly on another thread);
//   running: the commands before `firstSent` (those the board confirmed before a cut link) are
//     passed over, the rest go to the board; the progress is told and the journal of confirmed
//     commands kept.
// The same job code thus plans, runs and goes on, and the three see one stream.

#include <atomic>
#include <cstdint>
#include <optional>
#include <stdexcept>

#include "link/confirmed_commands.h"
#include "link/job_estimate.h"
#include "link/job_progress.h"

namespace vexa::link {

class MachineLink;

// A plan given up because its inputs changed meanwhile.
struct PlanCancelled {};
// A plan that met a move beyond the motor's step range: the job would be refused there.
struct PlanRefused {};

class JobStream {
 public:
  enum class Fate {
    Send,      // the board gets it
    PassOver,  // planned, or confirmed before a cut link: neither sent nor waited for
    DryRun,    // the run box is clear: not sent, the job goes on at its dry pace
  };

  // Counts every command into `estimate`. `cancelled`, when given, is looked at every few
  // thousand commands; once set, the plan ends with PlanCancelled.
  static JobStream Planning(JobEstimate& estimate, const std::atomic<bool>* cancelled = nullptr);
  // A run that passes over its first `firstSent` commands, tells `progress` (when given) and
  // keeps `journal` (when given; its begin() is the caller's).
  static JobStream Running(std::int64_t firstSent, JobProgress* progress,
                           ConfirmedCommands* journal);

  bool planning() const { return estimate_ != nullptr; }
  bool passingOver() const { return planning() || taken_ < firstSent_; }
  // Commands handed over so far.
  std::int64_t taken() const { return taken_; }

  // The job's next command; `runTicked`: the window's run box as it stands. `costOf()` gives
  // the command's CommandCost; it is worked out only for a plan, so a run pays a count, a
  // compare and the progress's count down per command.
  template <typename CostOf>
  Fate take(bool runTicked, CostOf&& costOf) {
    if (estimate_) return plan(costOf());
    const std::int64_t index = taken_++;
    if (index < firstSent_) return Fate::PassOver;
    if (progress_) progress_->commandDone();
    if (journal_) {
      if (runTicked) {
        journal_->sent(index, 0);
      } else {
        journal_->planned(index + 1, 0);
      }
    }
    return runTicked ? Fate::Send : Fate::DryRun;
  }

 private:
  JobStream() = default;
  Fate plan(const CommandCost& cost);

  JobEstimate* estimate_ = nullptr;
  const std::atomic<bool>* cancelled_ = nullptr;
  JobProgress* progress_ = nullptr;
  ConfirmedCommands* journal_ = nullptr;
  std::int64_t firstSent_ = 0;
  std::int64_t taken_ = 0;
};

// Follows `stream` through the moves' slot for a scope, however it is left.
class StreamScope {
 public:
  StreamScope(JobStream*& slot, JobStream& stream) : slot_(slot) { slot_ = &stream; }
  ~StreamScope() { slot_ = nullptr; }
  StreamScope(const StreamScope&) = delete;
  StreamScope& operator=(const StreamScope&) = delete;

 private:
  JobStream*& slot_;
};

// What a command's fate is without a stream (no estimate, progress or journal).
inline JobStream::Fate UnfollowedFate(bool runTicked) {
  return runTicked ? JobStream::Fate::Send : JobStream::Fate::DryRun;
}

// Whether a step move that was `command` (or no command at all) with `fate` belongs to a
// stretch that is planned or passed over: no dry-run pause then.
inline bool PassingOver(JobStream::Fate fate, bool command, const JobStream* stream) {
  return command ? fate == JobStream::Fate::PassOver : stream && stream->passingOver();
}

// The steady clock of a job's pace: time spent with a box open (the stop question, the pause
// dialog, a message) does not count.
SteadyNanos JobClock(const MachineLink& link);

}  // namespace vexa::link
