// The milling jobs against a scripted port: the optimisation mode's waits, the pause dialog,
// job kinds, and the field checks before a job.

#include "milling/milling_job.h"

#include <gtest/gtest.h>

#include "figures/figure_pictures.h"
#include "link/fake_serial_port.h"
#include "milling/milling_fixture.h"
#include "milling/milling_numbers.h"
#include "support/recording_prompts.h"

namespace vexa::milling {
namespace {

using figures::test::Drawn;
using Texts = std::vector<std::string>;

class MillingJobTest : public ::testing::Test {
 protected:
  MillingJobTest() { port.opened = true; }

  vexa::test::FakeSerialPort port;
  link::NoEventPump pump;
  vexa::test::RecordingPrompts prompts;
  link::MachineLink link{port, pump, prompts};
  test::MillingBench bench{link};
  std::size_t answered_ = 0;
};

TEST_F(MillingJobTest, OptimisationModeRunsTheTravelAheadAndCollectsItsReplyPerContour) {
  bench.settings.SM_optim = 1;
  bench.load(Drawn({".....", ".###.", ".#.#.", ".###.", "....."}));
  // Replies only as the controller finishes: one "T" per command, never more.
  port.onIdleRead = [&] {
    if (port.written.size() > answered_) {
      port.arrive("T");
      ++answered_;
    }
  };
  MillingJob(bench.parts()).MillSelected(bench.figureAt(2, 2));
  // Hole and outside: two contours, each with a travel that was not awaited on its own.
  EXPECT_EQ(std::count_if(port.written.begin(), port.written.end(),
                          [](const std::string& c) {
                            return c.ends_with(",0,2000;") && c != "0,0,255,2000;";
                          }),
            2);
  EXPECT_EQ(answered_, port.written.size());
  EXPECT_TRUE(bench.moves.record.replyBuffer.empty()) << "every reply was collected";
}

TEST_F(MillingJobTest, PlainModeWaitsForEveryMove) {
  bench.load(Drawn({"...", ".#.", "..."}));
  port.replyToEachWrite = "T";
  MillingJob(bench.parts()).MillSelected(bench.figureAt(2, 2));
  EXPECT_EQ(port.written, (Texts{"1,1,0,2000;", "0,0,-255,4000;", "0,0,255,2000;"}));
  EXPECT_TRUE(port.incoming.empty());
  EXPECT_TRUE(bench.moves.record.replyBuffer.empty());
}

TEST_F(MillingJobTest, StopOpensThePauseDialogAndStoppingThereEndsTheJob) {
  port.replyToEachWrite = "T";
  bench.load(Drawn({"....", ".##.", ".##.", "...."}));
  int moves = 0;
  bench.afterMove = [&] {
    if (++moves == 3) link.StopRequested = true;
  };
  prompts.pauseAnswers = {1, 0};  // continue once, then stop
  MillingJob(bench.parts()).MillSelected(bench.figureAt(2, 2));
  EXPECT_EQ(prompts.pauseDialogs, 1);
  EXPECT_FALSE(link.StopRequested) << "continuing clears the stop";
  EXPECT_EQ(port.written.size(), 7u) << "continued to the end after the pause";

  port.written.clear();
  moves = 0;
  bench.load(Drawn({"....", ".##.", ".##.", "...."}));
  EXPECT_THROW(MillingJob(bench.parts()).MillSelected(bench.figureAt(2, 2)), link::LinkAbort);
  EXPECT_EQ(prompts.pauseDialogs, 2);
  EXPECT_EQ(port.written.size(), 3u) << "nothing after the stop";
  EXPECT_EQ(bench.state.jobKind, kNoJob) << "the abort clears the job's kind";
}

TEST_F(MillingJobTest, AJobKindIsSetOnlyWhenNoneIsAndClearedOnlyByItsOwner) {
  port.replyToEachWrite = "T";
  bench.load(Drawn({"...", ".#.", "..."}));
  int seenKind = -1;
  bench.afterMove = [&] { seenKind = bench.state.jobKind; };
  MillingJob(bench.parts()).MillAll();
  EXPECT_EQ(seenKind, kAllJob);
  EXPECT_EQ(bench.state.jobKind, kNoJob);

  bench.load(Drawn({"...", ".#.", "..."}));
  bench.state.jobKind = kReliefJob;
  bench.state.reliefMode = true;
  link.StopRequested = true;
  prompts.pauseAnswers = {1};
  MillingJob(bench.parts()).MillAll();
  EXPECT_EQ(seenKind, kReliefJob);
  EXPECT_EQ(bench.state.jobKind, kReliefJob) << "the relief's kind stays";
  EXPECT_EQ(prompts.pauseDialogs, 1) << "in relief mode a pending stop is not cleared";
}

TEST_F(MillingJobTest, AMapOfAnotherPictureMillsNothing) {
  port.replyToEachWrite = "T";
  bench.load(Drawn({"....", ".##.", ".##.", "...."}));
  bench.tool = picture::PixelBuffer(2, 2, 0);  // a smaller picture loaded after the parse
  MillingJob(bench.parts()).MillAll();
  EXPECT_TRUE(port.written.empty());
}

TEST(MillingNumbersTest, EveryFieldIsCheckedBeforeAnythingMoves) {
  struct Case {
    MillingFieldTexts texts;
    const char* problem;  // nullptr: accepted
  };
  const std::vector<Case> cases = {
      {{"200", "10", "3", "4000"}, nullptr},
      {{"0,5", "0", "0", "0"}, nullptr},
      {{"0", "10", "3", "4000"}, "Введите в поле ширины число больше 0!"},
      {{"abc", "10", "3", "4000"}, "Введите в поле ширины число больше 0!"},
      {{"200", "-1", "3", "4000"}, "Введите в поле глубины число не меньше 0!"},
      {{"200", "10", "", "4000"}, "Введите в поле диаметра фрезы число не меньше 0!"},
      {{"200", "10", "3", "2147483648"}, "Введите в поле задержки число от 0 до 2147483647!"},
      {{"200", "10", "3", "1e3"}, "Введите в поле задержки число от 0 до 2147483647!"},
  };
  for (const Case& c : cases) {
    const auto result = ReadMillingNumbers(c.texts);
    if (c.problem == nullptr) {
      EXPECT_TRUE(std::holds_alternative<MillingNumbers>(result)) << c.texts.width;
    } else {
      ASSERT_TRUE(std::holds_alternative<std::string>(result)) << c.problem;
      EXPECT_EQ(std::get<std::string>(result), c.problem);
    }
  }
  const auto numbers = std::get<MillingNumbers>(ReadMillingNumbers({"0.5", "1,5", "2", "12,5"}));
  EXPECT_DOUBLE_EQ(numbers.widthMm, 0.5);
  EXPECT_DOUBLE_EQ(numbers.depthMm, 1.5);
  EXPECT_EQ(numbers.plungeDelay, 12) << "ties to even";
}

TEST(CutterSizeTest, RadiusAndReachInPixels) {
  // 3 mm across a 200 mm wide picture of 400 pixels: 6 pixels across.
  EXPECT_DOUBLE_EQ(CutterSizeOf(3, 200, 400).radius, 3);
  EXPECT_EQ(CutterSizeOf(3, 200, 400).reach, 3);
  EXPECT_EQ(CutterSizeOf(3, 200, 401).reach, 4);
  EXPECT_EQ(CutterSizeOf(0, 200, 401).reach, 0);
}

}  // namespace
}  // namespace vexa::milling
