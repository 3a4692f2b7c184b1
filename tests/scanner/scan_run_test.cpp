// The scan against a scripted port: commands, probe replies, scaling, dry run, stop, failures,
// going on after a cut.

#include "scanner/scan_run.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

#include "link/fake_serial_port.h"
#include "link/step_count.h"
#include "scanner/probe_reply.h"
#include "support/recording_prompts.h"

namespace vexa::scanner {
namespace {

using Texts = std::vector<std::string>;

// Answers the probe command with the next scripted reply and every move with "T".
class ProbePort : public test::FakeSerialPort {
 public:
  std::deque<std::string> probeReplies;
  std::function<void()> onWrite;
  void write(const std::string& text) override {
    written.push_back(text);
    if (onWrite) onWrite();
    if (text != "0,0,200;") return arrive("T");
    if (probeReplies.empty()) return;  // a probe that never answers
    arrive(probeReplies.front());
    probeReplies.pop_front();
  }
};

class ScanRunTest : public ::testing::Test {
 protected:
  ScanRunTest() { port.opened = true; }

  void scan(ScanNumbers numbers, std::int64_t firstSent = 0,
            link::JobProgress* progress = nullptr) {
    ScanRun run(
        ScanParts{link, moves, settings, numbers, [this] { return ticked; }, preview,
                  [this] { ++redraws; },
                  [this](const std::string& text) { labels.push_back(text); },
                  [this] { return randoms.empty() ? 0.f : take(randoms); }, firstSent, progress},
        mesh);
    run.run();
  }
  static float take(std::deque<float>& values) {
    const float value = values.front();
    values.pop_front();
    return value;
  }

  ProbePort port;
  link::NoEventPump pump;
  test::RecordingPrompts prompts;
  link::MachineLink link{port, pump, prompts};
  link::MachineSettings settings;
  bool ticked = true;
  link::ScannerMoves moves{link::MotionContext(link, settings, [this] { return ticked; })};
  ScanPreview preview{222, 222};
  HeightMesh mesh;
  int redraws = 0;
  Texts labels;
  std::deque<float> randoms;
};

TEST_F(ScanRunTest, ProbesEveryPointWalksByGridStepsAndScalesTheReadings) {
  port.probeReplies = {"40OK", "60OK\r\n", "50OK", "45OK", "40OK", "60OK"};
  preview.DrawGrid(2, 3);
  // 10 mm over one column step and 6 mm over two row steps at 0.005 mm per step.
  scan({2, 3, 10, 6});
  EXPECT_EQ(port.written,
            (Texts{"0,0,200;", "2000,0,0;", "0,0,200;", "0,600,0;", "0,0,200;", "-2000,0,0;",
                   "0,0,200;", "0,600,0;", "0,0,200;", "2000,0,0;", "0,0,200;"}));
  // The walk: (1,1) (2,1) (2,2) (1,2) (1,3) (2,3).
  EXPECT_EQ(mesh.at(1, 1), 0);
  EXPECT_EQ(mesh.at(2, 1), 255);
  EXPECT_EQ(mesh.at(2, 2), 128);
  EXPECT_EQ(mesh.at(1, 2), 64);  // 45: 63.75
  EXPECT_EQ(mesh.at(2, 3), 255);
  EXPECT_EQ(labels.front(), "Данные: 40");
  EXPECT_EQ(redraws, 6);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Ziravev AVE");
  EXPECT_EQ(prompts.messages[0].text, "Сканирвание завершено");
  EXPECT_EQ(preview.image().gray(10, 10), 40) << "each reading is drawn as it arrives";
}

TEST_F(ScanRunTest, GoingOnAfterACutCountsTheCommandsConfirmedBeforeAsDone) {
  const ScanNumbers numbers{2, 3, 10, 6};  // 11 commands: probe, move, probe, ...
  // The first command sent, and so the progress's count when it goes out: firstSent + 1.
  const std::int64_t firstSents[] = {0, 5, 6};
  for (const std::int64_t firstSent : firstSents) {
    port.written.clear();
    port.probeReplies = {"40OK", "60OK", "50OK", "45OK", "40OK", "60OK"};
    const auto estimate = EstimateScan(numbers, settings, link::AwaitedTimeModel(link));
    ASSERT_TRUE(estimate);
    ASSERT_EQ(estimate->commands(), 11);
    link::JobProgress progress(*estimate, {}, [] { return std::int64_t{0}; });
    std::vector<std::int64_t> doneAtWrite;
    port.onWrite = [&] { doneAtWrite.push_back(progress.done()); };
    scan(numbers, firstSent, &progress);
    ASSERT_EQ(port.written.size(), static_cast<std::size_t>(11 - firstSent)) << firstSent;
    EXPECT_EQ(doneAtWrite.front(), firstSent + 1) << firstSent;
    EXPECT_EQ(doneAtWrite.back(), 11) << firstSent;
  }
}

TEST_F(ScanRunTest, ALateAnswerOfAStoppedScanDoesNotShiftTheReadings) {
  port.arrive("77OK");
  port.probeReplies = {"1OK", "2OK"};
  scan({2, 1, 10, 0});
  EXPECT_EQ(mesh.at(1, 1), 0);
  EXPECT_EQ(mesh.at(2, 1), 255);
}

TEST(ProbeReading, KeepsOnlyTheDigitsBeforeTheOk) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"123OK", 123}, {"123OK\r\n", 123}, {"1 -2\r\n3OK", 123}, {"\r\n0042OK", 42},
      {"OK", 0},      {"7", 0},           {"T9OK", 9},          {"99999999999OK", 2147483647},
  };
  for (const auto& [reply, reading] : cases) EXPECT_EQ(ProbeReading(reply), reading) << reply;
}

TEST_F(ScanRunTest, AReplyWithNonDigitsBetweenTheDigitsReadsTheDigits) {
  port.probeReplies = {"1 -2", "3OK\r\n"};
  port.onIdleRead = [this] {
    if (port.incoming.empty() && !port.probeReplies.empty()) {
      port.arrive(port.probeReplies.front());
      port.probeReplies.pop_front();
    }
  };
  link.WritePort("0,0,200;");
  moves.replyBuffer = "old T";
  EXPECT_EQ(WaitProbeReading(link, moves.replyBuffer), 123);
  EXPECT_TRUE(moves.replyBuffer.empty());
}

TEST_F(ScanRunTest, ADryRunSendsNothingAndKeepsTheRandomReadings) {
  ticked = false;
  randoms = {0.f, 0.5f, 0.999f, 0.2f};
  scan({2, 1, 10, 0});
  EXPECT_TRUE(port.written.empty());
  EXPECT_EQ(mesh.at(1, 1), 0);
  EXPECT_EQ(mesh.at(2, 1), 128);  // 127.5
  EXPECT_EQ(prompts.messages.size(), 1u);

  randoms.clear();
  const ScanParts clockSeeded{link, moves, settings, {4, 3, 10, 10}, [] { return false; }, preview,
                              {},   {},    {}};
  ScanRun(clockSeeded, mesh).run();
  for (int r = 1; r <= 3; ++r) {
    for (int c = 1; c <= 4; ++c) {
      EXPECT_GE(mesh.at(c, r), 0);
      EXPECT_LE(mesh.at(c, r), 255);
    }
  }
}

TEST_F(ScanRunTest, StopDuringAProbeThatNeverAnswersEndsTheScanWithTheReadingsSoFar) {
  port.probeReplies = {"40OK", "60OK"};
  port.onIdleRead = [this] {
    if (port.written.size() == 5) link.StopRequested = true;  // the third probe hangs
  };
  EXPECT_THROW(scan({2, 3, 10, 6}), link::LinkAbort);
  EXPECT_EQ(port.written.size(), 5u);
  EXPECT_EQ(mesh.at(1, 1), 40) << "raw, not scaled";
  EXPECT_EQ(mesh.at(2, 1), 60);
  EXPECT_EQ(mesh.at(2, 2), 0);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ScanRunTest, AFailedReadShowsItsMessageOnceAndEndsTheScan) {
  port.probeReplies = {"40OK"};
  port.onIdleRead = [this] {
    if (port.written.size() == 3) port.incoming.push_back(link::SerialPort::kFailed);
  };
  EXPECT_THROW(scan({2, 3, 10, 6}), link::LinkAbort);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, link::ReadErrorText());
}

TEST_F(ScanRunTest, AGridStepBeyondTheMotorsRangeMovesNothingAndKeepsTheOldMesh) {
  mesh = HeightMesh(2, 1);
  mesh.at(1, 1) = 9;
  settings.SM_X_ratio = 0;
  EXPECT_THROW(scan({2, 3, 10, 6}), link::LinkAbort);
  EXPECT_TRUE(port.written.empty());
  EXPECT_EQ(mesh.at(1, 1), 9);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, link::StepRangeText());
}

}  // namespace
}  // namespace vexa::scanner
