// A job's pace clock leaves out the time the link's boxes stay open: after the stop question
// or the pause dialog the time left goes on from where it stood.

#include "link/job_stream.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "link/fake_serial_port.h"
#include "link/machine_link.h"
#include "support/recording_prompts.h"

namespace vexa::link {
namespace {

class NoPump : public EventPump {
 public:
  void processPendingEvents() override {}
};

constexpr std::int64_t kHeldMs = 60;

TEST(JobClock, TimeWithABoxOpenIsNoPace) {
  test::FakeSerialPort port;
  NoPump pump;
  test::RecordingPrompts prompts;
  MachineLink link(port, pump, prompts);
  // The stop question stays open a while, and a message opened from it counts only once.
  prompts.whenAsked = [&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(kHeldMs));
    link.prompts().message(kDefaultCaption, "inner");
  };
  const SteadyNanos clock = JobClock(link);
  const std::int64_t steadyBefore = SystemSteadyNanos();
  const std::int64_t clockBefore = clock();
  link.prompts().askYesNo(kWarningCaption, "stop?");
  const std::int64_t steadySpent = SystemSteadyNanos() - steadyBefore;
  const std::int64_t clockSpent = clock() - clockBefore;
  EXPECT_GE(link.heldNanos(), kHeldMs * 1'000'000);
  EXPECT_LE(link.heldNanos(), steadySpent);
  EXPECT_GE(steadySpent - clockSpent, kHeldMs * 1'000'000);
  EXPECT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.messages.size(), 1u);
}

// With the pause left out of the clock, the pace after it is the pace before it.
TEST(JobClock, TheTimeLeftAfterAPauseGoesOnFromWhereItStood) {
  JobEstimate estimate(TimeModel(LinkPace{true, 0, 0}, 0, InFlight::One));
  for (int i = 0; i < 100; ++i) estimate.add({1, 0, 0, 0, 1'000'000});  // 100 s
  std::int64_t steady = 0, held = 0;
  std::vector<ProgressReport> reports;
  JobProgress progress(
      estimate, [&](const ProgressReport& report) { reports.push_back(report); },
      [&] { return steady - held; });
  for (int i = 0; i < 10; ++i) {
    steady += 1'000'000'000;
    progress.commandDone();
  }
  const std::int64_t before = reports.back().remainingSeconds;
  steady += 45'000'000'000;  // the pause dialog, 45 s
  held += 45'000'000'000;
  steady += 1'000'000'000;
  progress.commandDone();
  EXPECT_EQ(before, 90);
  EXPECT_EQ(reports.back().remainingSeconds, 89);
}

}  // namespace
}  // namespace vexa::link
