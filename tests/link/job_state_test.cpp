// A window's job: one at a time, the link abort ending it quietly, the close put off.

#include "link/job_state.h"

#include <gtest/gtest.h>

#include "link/fake_serial_port.h"
#include "support/recording_prompts.h"

namespace vexa::link {
namespace {

class JobStateTest : public ::testing::Test {
 protected:
  test::FakeSerialPort port;
  NoEventPump pump;
  test::RecordingPrompts prompts;
  MachineLink link{port, pump, prompts};
  JobState job{link};
};

TEST_F(JobStateTest, ASecondStartWhileRunningIsRefusedAndDoesNothing) {
  int inner = 0;
  JobState::Outcome second = JobState::Outcome::Finished;
  const auto first = job.run([&] {
    EXPECT_TRUE(job.running());
    second = job.run([&] { ++inner; });
  });
  EXPECT_EQ(first, JobState::Outcome::Finished);
  EXPECT_EQ(second, JobState::Outcome::Refused);
  EXPECT_EQ(inner, 0);
  EXPECT_FALSE(job.running());
}

TEST_F(JobStateTest, LinkAbortEndsTheJobQuietlyOtherErrorsPassOn) {
  EXPECT_EQ(job.run([] { throw LinkAbort(); }), JobState::Outcome::Aborted);
  EXPECT_FALSE(job.running());
  EXPECT_THROW(job.run([] { throw std::runtime_error("file"); }), std::runtime_error);
  EXPECT_FALSE(job.running()) << "the window can start again";
  EXPECT_EQ(job.run([] {}), JobState::Outcome::Finished);
}

TEST_F(JobStateTest, IdleWindowClosesAtOnceWithoutTouchingTheStopFlag) {
  EXPECT_TRUE(job.requestClose());
  EXPECT_FALSE(link.StopRequested) << "another window's job must not be asked to stop";
  EXPECT_FALSE(job.takeDeferredClose());
}

TEST_F(JobStateTest, CloseDuringTheJobStopsItAndHappensAfterTheAbort) {
  const auto outcome = job.run([&] {
    EXPECT_FALSE(job.requestClose());
    EXPECT_TRUE(link.StopRequested);
    job.stepDone();  // the question is still to come
    EXPECT_FALSE(job.takeDeferredClose()) << "not while running";
    throw LinkAbort();  // the user answered "Да"
  });
  EXPECT_EQ(outcome, JobState::Outcome::Aborted);
  EXPECT_TRUE(job.takeDeferredClose());
  EXPECT_FALSE(job.takeDeferredClose()) << "once";
}

TEST_F(JobStateTest, ContinuingAfterTheQuestionWithdrawsTheClose) {
  job.run([&] {
    job.requestClose();
    link.StopRequested = false;  // "Нет": the step move clears the flag and goes on
    job.stepDone();
    link.StopRequested = true;  // "Стоп" pressed later
    job.stepDone();
    throw LinkAbort();  // ... and answered "Да"
  });
  EXPECT_FALSE(job.takeDeferredClose()) << "the window stays open";
}

TEST_F(JobStateTest, CloseAfterTheLastMoveHappensWhenTheJobFinishes) {
  job.run([&] { job.requestClose(); });
  EXPECT_TRUE(job.takeDeferredClose());
}

}  // namespace
}  // namespace vexa::link
