#include "link/job_progress.h"

#include <algorithm>
#include <cmath>

namespace vexa::link {

std::int64_t SystemSteadyNanos() {
  using namespace std::chrono;
  return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t WholeSecondsSince(std::int64_t start) {
  return (SystemSteadyNanos() - start + 500'000'000) / 1'000'000'000;
}

JobProgress::JobProgress(JobEstimate estimate, std::function<void(const ProgressReport&)> show,
                         SteadyNanos clock)
    : estimate_(std::move(estimate)), show_(std::move(show)), clock_(std::move(clock)) {
  paceStart_ = lastCheck_ = clock_();
  // The first report comes after kShowEvery, not at once: a short job shows only its end.
  lastShown_ = lastCheck_;
}

void JobProgress::skipped(std::int64_t count) {
  counted_ = done() + count;
  countdown_ = stride_;
  paceStart_ = clock_();
  paceBaseNanos_ = estimate_.nanosAfter(counted_);
}

void JobProgress::check() {
  counted_ += stride_;
  const std::int64_t now = clock_();
  const std::int64_t sinceCheck = now - lastCheck_;
  lastCheck_ = now;
  const std::int64_t wanted = std::chrono::nanoseconds(kCheckEvery).count();
  if (sinceCheck < wanted / 2) {
    stride_ = std::min(stride_ * 2, kMaxStride);
  } else if (sinceCheck > wanted * 2) {
    stride_ = std::max<std::int64_t>(stride_ / 2, 1);
  }
  countdown_ = stride_;
  if (now - lastShown_ >= std::chrono::nanoseconds(kShowEvery).count()) report(now);
}

void JobProgress::report(std::int64_t now) {
  lastShown_ = now;
  const std::int64_t total = estimate_.nanos();
  const std::int64_t doneNanos = estimate_.nanosAfter(done());
  ProgressReport shown;
  shown.fraction = total > 0 ? std::clamp(double(doneNanos) / double(total), 0.0, 1.0) : 1.0;
  const double measured = double(now - paceStart_);
  const double modelled = double(doneNanos - paceBaseNanos_);
  const double pace = (measured + kPriorNanos) / (modelled + kPriorNanos);
  const double left = double(std::max<std::int64_t>(total - doneNanos, 0)) * pace;
  shown.remainingSeconds = std::llround(left / 1e9);
  shown.commands = done();
  if (show_) show_(shown);
}

void JobProgress::finish() {
  counted_ = estimate_.commands();
  countdown_ = stride_;
  if (show_) show_({1.0, 0, counted_});
}

}  // namespace vexa::link
