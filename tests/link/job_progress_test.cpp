// Progress against a scripted clock: how often it is told, the time left and its correction by
// the measured pace.

#include "link/job_progress.h"

#include <gtest/gtest.h>

#include <vector>

namespace vexa::link {
namespace {

constexpr std::int64_t kMs = 1'000'000;

// `count` commands of `each` ms of model time, with no link cost.
JobEstimate evenJob(std::int64_t count, std::int64_t eachMs) {
  JobEstimate estimate(TimeModel(LinkPace{true, 0, 0}, 0, InFlight::One));
  for (std::int64_t i = 0; i < count; ++i) estimate.add({1, 0, 0, 0, eachMs * 1000});
  return estimate;
}

struct Recorded {
  std::int64_t now = 0;
  std::vector<ProgressReport> reports;
  JobProgress make(const JobEstimate& estimate) {
    return JobProgress(
        estimate, [this](const ProgressReport& report) { reports.push_back(report); },
        [this] { return now; });
  }
};

TEST(JobProgress, AJobAtTheModelsPaceIsToldAFewTimesASecond) {
  Recorded r;
  JobProgress progress = r.make(evenJob(1000, 10));  // 10 s
  for (int i = 0; i < 1000; ++i) {
    r.now += 10 * kMs;
    progress.commandDone();
  }
  ASSERT_EQ(r.reports.size(), 40u) << "every 250 ms of 10 s";
  EXPECT_NEAR(r.reports[19].fraction, 0.5, 1e-9);
  EXPECT_EQ(r.reports[19].remainingSeconds, 5);
  progress.finish();
  EXPECT_EQ(r.reports.back().fraction, 1.0);
  EXPECT_EQ(r.reports.back().remainingSeconds, 0);
}

TEST(JobProgress, TheTimeLeftFollowsTheMeasuredPace) {
  Recorded r;
  JobProgress progress = r.make(evenJob(10000, 10));  // 100 s of model time
  // The machine takes twice the model's time: after 50 commands (0.5 s of model) the prior of
  // 5 s keeps the correction small, after 5000 it has nearly doubled the time left.
  for (int i = 0; i < 5000; ++i) {
    r.now += 20 * kMs;
    progress.commandDone();
  }
  const ProgressReport& early = r.reports[0];  // 0.26 s run, 13 commands
  EXPECT_EQ(early.remainingSeconds, 102);
  const ProgressReport& late = r.reports.back();
  EXPECT_NEAR(late.fraction, 0.5, 0.01);
  // (100 + 5) / (50 + 5) x 50 s left: 95.45 s.
  EXPECT_NEAR(late.remainingSeconds, 95, 1);
}

TEST(JobProgress, ADryRunReadsTheClockRarely) {
  Recorded r;
  int clockReads = 0;
  JobProgress progress(
      evenJob(1'000'000, 1), [&](const ProgressReport& report) { r.reports.push_back(report); },
      [&] {
        ++clockReads;
        return r.now;
      });
  for (int i = 0; i < 1'000'000; ++i) {
    r.now += 50;  // 50 ns per command
    progress.commandDone();
  }
  EXPECT_LT(clockReads, 1000) << "the stride grows to thousands of commands";
  EXPECT_EQ(progress.done(), 1'000'000);
}

TEST(JobProgress, CommandsPassedOverCountAsDoneButNotInThePace) {
  Recorded r;
  JobProgress progress = r.make(evenJob(1000, 10));
  r.now += kMs;
  progress.skipped(600);
  EXPECT_EQ(progress.done(), 600);
  for (int i = 0; i < 100; ++i) {
    r.now += 10 * kMs;
    progress.commandDone();
  }
  ASSERT_FALSE(r.reports.empty());
  EXPECT_NEAR(r.reports.back().fraction, 0.7, 0.01);
  EXPECT_EQ(r.reports.back().remainingSeconds, 3) << "the model's pace, not 600 in 1 ms";
}

}  // namespace
}  // namespace vexa::link
