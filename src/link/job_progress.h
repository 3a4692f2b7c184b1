#pragma once
// Progress of a job whose commands were counted before it ran (JobEstimate): the share done and
// the time left, told a few times a second, never per command. The time left is the model's
// time for the commands still to go, corrected by the pace measured so far; the measurement
// is weighed against the model by kPriorNanos of model time, so the first seconds of a run do
// not swing it.
//
// A job calls commandDone() after every command it plans, sent or not. That costs one count
// down: the clock is read only every `stride` commands, the stride growing while checks come
// faster than kCheckEvery and shrinking when they come slower, so a dry run that plans millions
// of commands a second and a machine run of a few commands a second are both followed closely.

#include <chrono>
#include <cstdint>
#include <functional>

#include "link/job_estimate.h"

namespace vexa::link {

struct ProgressReport {
  double fraction = 0;               // 0 to 1, of the model's time
  std::int64_t remainingSeconds = 0;  // rounded
  std::int64_t commands = 0;          // commands done
};

// Nanoseconds of a steady clock.
using SteadyNanos = std::function<std::int64_t()>;
std::int64_t SystemSteadyNanos();
// Whole seconds, rounded, from `start` (SystemSteadyNanos) until now: a job's time when it ends.
std::int64_t WholeSecondsSince(std::int64_t start);

class JobProgress {
 public:
  static constexpr std::chrono::milliseconds kShowEvery{250};
  static constexpr std::chrono::milliseconds kCheckEvery{20};
  static constexpr std::int64_t kPriorNanos = 5'000'000'000;
  static constexpr std::int64_t kMaxStride = 4096;

  JobProgress(JobEstimate estimate, std::function<void(const ProgressReport&)> show,
              SteadyNanos clock = SystemSteadyNanos);

  void commandDone() {
    if (--countdown_ == 0) check();
  }
  // The same for a job that counts its commands itself: it calls reached() when its count of
  // commands done equals nextCheck(), and reads nextCheck() again afterwards. Between checks the
  // job compares a count it keeps anyway, the cheapest a follow can be.
  std::int64_t nextCheck() const { return done() + countdown_; }
  void reached() {
    countdown_ = 0;
    check();
  }
  // `count` commands done at once, without time spent on them (a resumed run passing over what
  // the controller confirmed before): the pace is measured from here on.
  void skipped(std::int64_t count);
  // The last report: everything done.
  void finish();

  std::int64_t done() const { return counted_ + (stride_ - countdown_); }

 private:
  void check();
  void report(std::int64_t now);

  JobEstimate estimate_;
  std::function<void(const ProgressReport&)> show_;
  SteadyNanos clock_;
  std::int64_t stride_ = 1;
  std::int64_t countdown_ = 1;
  std::int64_t counted_ = 0;  // commands done up to the last check
  std::int64_t paceStart_;    // clock when the pace began to be measured
  std::int64_t paceBaseNanos_ = 0;  // model time done by then
  std::int64_t lastCheck_;
  std::int64_t lastShown_;
};

}  // namespace vexa::link
