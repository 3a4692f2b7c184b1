// The motion primitives of every window: exact command texts, carry, stop handling, range.

#include <gtest/gtest.h>

#include <functional>

#include "link/fake_serial_port.h"
#include "link/manual_moves.h"
#include "link/milling_moves.h"
#include "link/outline_moves.h"
#include "link/raster_moves.h"
#include "link/scanner_moves.h"
#include "link/step_count.h"
#include "support/recording_prompts.h"

namespace vexa::link {
namespace {

using Texts = std::vector<std::string>;

class StepMovesTest : public ::testing::Test {
 protected:
  StepMovesTest() {
    port.opened = true;
    port.replyToEachWrite = "T";
  }
  MotionContext context() {
    return MotionContext(link, settings, [this] { return ticked; });
  }

  test::FakeSerialPort port;
  NoEventPump pump;
  test::RecordingPrompts prompts;
  MachineLink link{port, pump, prompts};
  MachineSettings settings;  // ratios 0.005, travel delay 2000
  bool ticked = true;
};

TEST_F(StepMovesTest, MillingCarriesFractionsSoNothingDrifts) {
  // 2 mm over 1000 pixels at 0.005 mm per step: 0.4 steps per pixel.
  MillingMoves moves(context(), [] { return MillingScale{2, 10, 1000}; });
  std::vector<std::int32_t> sent;
  for (int i = 0; i < 5; ++i) {
    const std::int32_t before = moves.record.sentX;
    moves.StepMove(1, 0, 0, 0, true);
    sent.push_back(moves.record.sentX - before);
  }
  EXPECT_EQ(sent, (std::vector<std::int32_t>{0, 1, 0, 1, 0}));
  EXPECT_EQ(port.written, (Texts{"1,0,0,0;", "1,0,0,0;"}));
  EXPECT_EQ(moves.record.replyBuffer, "");
}

TEST_F(StepMovesTest, MillingSendsEmptyMovesOnlyWithADelay) {
  MillingMoves moves(context(), [] { return MillingScale{200, 10, 200}; });
  moves.StepMove(0, 0, 0, 0, true);
  EXPECT_TRUE(port.written.empty());
  moves.StepMove(0, 0, 0, 4000, true);
  // 200 mm / 0.005 / 200 px = 200 steps per pixel; 10 mm / 0.005 / 255 per gray level.
  moves.StepMove(-1, 2, 255, 4000, false);
  EXPECT_EQ(port.written, (Texts{"0,0,0,4000;", "-200,400,2000,4000;"}));
  EXPECT_EQ(port.incoming.size(), 1u) << "an unawaited reply is left for the next wait";
}

TEST_F(StepMovesTest, MillingDryRunKeepsTheBookkeepingButSendsNothing) {
  MillingMoves moves(context(), [] { return MillingScale{200, 10, 200}; });
  ticked = false;
  moves.StepMove(3, -1, 0, 4000, true);
  EXPECT_TRUE(port.written.empty());
  EXPECT_EQ(moves.record.sentX, 600);
  EXPECT_EQ(moves.record.sentY, -200);
  moves.ArduinoMoveMM(1, 0, 0);
  EXPECT_EQ(port.written, (Texts{"200,0,0,2000;"})) << "millimetre moves go out all the same";
  EXPECT_EQ(port.incoming.size(), 1u) << "but are not awaited";
}

TEST_F(StepMovesTest, MillimetresRoundTiesToEvenAndRatiosSetDirection) {
  MillingMoves moves(context(), [] { return MillingScale{}; });
  moves.ArduinoMoveMM(0.0125, 0.0075, 0);
  settings.SM_Y_ratio = -0.005;
  settings.SM_delay = 1500;
  moves.ArduinoMoveMM(1, 1, -0.5);
  EXPECT_EQ(port.written, (Texts{"2,2,0,2000;", "200,-200,-100,1500;"}));
}

TEST_F(StepMovesTest, MillingPendingOffsetsAreAddedOnce) {
  MillingMoves moves(context(), [] { return MillingScale{200, 10, 200}; });
  moves.SetPendingOffsets(1, 0, -0.5);
  moves.StepMove(1, 0, 0, 0, true);
  moves.StepMove(1, 0, 0, 0, true);
  EXPECT_EQ(port.written, (Texts{"400,0,-100,0;", "200,0,0,0;"}));
}

TEST_F(StepMovesTest, MillingStopOpensThePauseDialog) {
  MillingMoves moves(context(), [] { return MillingScale{200, 10, 200}; });
  prompts.pauseAnswers = {1, 0};
  link.StopRequested = true;
  moves.StepMove(1, 0, 0, 0, true);
  EXPECT_FALSE(link.StopRequested);
  EXPECT_EQ(port.written.size(), 1u);

  link.StopRequested = true;
  EXPECT_THROW(moves.StepMove(1, 0, 0, 0, true), LinkAbort);
  EXPECT_EQ(prompts.pauseDialogs, 2);
  EXPECT_EQ(port.written.size(), 1u);
}

TEST_F(StepMovesTest, OutlineDropsZeroFieldsAtTheEnd) {
  OutlineMoves moves(context(), [] { return PlaneScale{200, 200}; },
                     OutlineMoves::WhenIdle::Continue);
  moves.StepMove(0, 0, 0, 0, true);
  moves.StepMove(0, 3, 0, 0, true);
  moves.StepMove(1, 0, 0, 0, true);
  moves.StepMove(0, 0, 5, 1000, true);
  EXPECT_EQ(port.written, (Texts{"0,600;", "200;", "0,0,5,1000;"}));
  moves.ArduinoMoveMM(1, -1, 2);
  EXPECT_EQ(port.written.back(), "200,-200,400;");
}

TEST_F(StepMovesTest, OutlineStopSwitchesTheLaserOffAroundTheQuestion) {
  OutlineMoves moves(context(), [] { return PlaneScale{200, 200}; },
                     OutlineMoves::WhenIdle::Sleep);
  moves.StepMove(1, 0, 7, 1000, true);
  port.written.clear();

  link.StopRequested = true;
  prompts.answers = {false};  // No: go on
  moves.StepMove(1, 0, 0, 1000, true);
  EXPECT_EQ(port.written, (Texts{"0,0,-1", "0,0,1", "200,0,0,1000;"}));
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0].caption, "Внимание");
  EXPECT_EQ(prompts.questions[0].text,
            "Гравировка остановлена. Остановить?\r\nДа - остановить. Нет - продолжить.");
  EXPECT_FALSE(link.StopRequested);

  port.written.clear();
  link.StopRequested = true;
  prompts.answers = {true};  // Yes: the job ends with the laser off
  EXPECT_THROW(moves.StepMove(1, 0, 0, 1000, true), LinkAbort);
  EXPECT_EQ(port.written, (Texts{"0,0,-1"}));
}

TEST_F(StepMovesTest, RasterSendsWholeStepsPerPixelWithoutAccumulating) {
  // 60 mm over 100 pixels at 0.2 mm per step: 3 steps per pixel.
  settings.SM_X_ratio = 0.2;
  RasterMoves moves(context(), [] { return PlaneScale{60, 100}; });
  EXPECT_EQ(moves.stepsPerPixelX(), 3);
  moves.StepMove(-2, 0, 120, true);
  moves.StepMove(0, 1, 0, false);
  EXPECT_EQ(port.written, (Texts{"-6,0,120;", "0,120,0;"}));
  EXPECT_EQ(port.incoming.size(), 1u);

  link.StopRequested = true;
  prompts.answers = {true};
  EXPECT_THROW(moves.StepMove(1, 0, 0, true), LinkAbort);
  EXPECT_EQ(port.written.size(), 2u);
}

TEST_F(StepMovesTest, ScannerProbeFieldAndImmediateStop) {
  ScannerMoves moves(context());
  moves.StepMove(0, 0, -100, false);
  port.incoming.clear();
  moves.replyBuffer = "TT";
  moves.StepMove(10, -10, 5, true);
  EXPECT_EQ(port.written, (Texts{"0,0,200;", "10,-10,-10;"}));
  EXPECT_EQ(moves.replyBuffer, "") << "the scanner clears its buffer before waiting";
  EXPECT_TRUE(port.incoming.empty());

  link.StopRequested = true;
  EXPECT_THROW(moves.StepMove(1, 1, 1, true), LinkAbort);
  EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(StepMovesTest, MovesBeyond32BitsAreRefusedNotWrapped) {
  MillingMoves milling(context(), [] { return MillingScale{200, 10, 200}; });
  EXPECT_THROW(milling.ArduinoMoveMM(20000000, 0, 0), LinkAbort);
  EXPECT_THROW(milling.StepMove(20000000, 0, 0, 0, true), LinkAbort);
  MillingMoves noPicture(context(), [] { return MillingScale{200, 10, 0}; });
  EXPECT_THROW(noPicture.StepMove(1, 0, 0, 0, true), LinkAbort);
  ScannerMoves scanner(context());
  EXPECT_THROW(scanner.StepMove(0, 0, 2000000000, true), LinkAbort);
  EXPECT_TRUE(port.written.empty());
  ASSERT_EQ(prompts.messages.size(), 4u);
  EXPECT_EQ(prompts.messages[0].caption, "Ошибка");
  EXPECT_EQ(prompts.messages[0].text, StepRangeText());
}

// A refused move leaves the position record as it was: the next move with a sane scale sends
// what it asks for, not what the refused one left behind.
TEST_F(StepMovesTest, ARefusedMoveLeavesThePositionRecordAsItWas) {
  double widthMm = 1e9;  // 10^9 mm over 2 pixels: beyond 32-bit steps per pixel
  MillingMoves milling(context(), [&] { return MillingScale{widthMm, widthMm, 2}; });
  OutlineMoves outline(context(), [&] { return PlaneScale{widthMm, 2}; },
                       OutlineMoves::WhenIdle::Continue);
  milling.SetPendingOffsets(0.005, 0, 0);  // a manual move during the job: one step along X
  const struct {
    const char* name;
    std::function<void(std::int32_t)> move;
    std::function<PositionRecord&()> record;
    const char* sent;  // the sane move's command begins so
  } families[] = {
      {"milling", [&](std::int32_t px) { milling.StepMove(px, px, px, 0, true); },
       [&]() -> PositionRecord& { return milling.record; }, "3,2,0,0;"},
      {"outline", [&](std::int32_t px) { outline.StepMove(px, px, 0, 0, true); },
       [&]() -> PositionRecord& { return outline.record; }, "2,2;"},
  };
  for (const auto& family : families) {
    SCOPED_TRACE(family.name);
    widthMm = 1e9;
    EXPECT_THROW(family.move(1), LinkAbort);
    const PositionRecord& record = family.record();
    EXPECT_EQ(record.exactX, 0);
    EXPECT_EQ(record.exactY, 0);
    EXPECT_EQ(record.exactZ, 0);
    EXPECT_EQ(record.sentX, 0);
    widthMm = 0.02;  // 2 steps per pixel
    port.written.clear();
    family.move(1);
    EXPECT_EQ(port.written, Texts{family.sent}) << "the manual move is kept for the next";
  }
}

TEST_F(StepMovesTest, ManualMoveFollowsTheTagLetterBehindItsGuard) {
  ManualMoves moves(context());
  moves.ArduinoMoveMM(1, 0, 0);
  EXPECT_TRUE(port.written.empty()) << "no move before a firmware check";

  moves.arm('P');
  moves.ArduinoMoveMM(1, 0, 0);
  moves.arm('M');
  moves.ArduinoMoveMM(1, 0, 0);
  moves.arm('S');
  moves.ArduinoMoveMM(0, -1, 3);
  moves.arm('X');
  moves.ArduinoMoveMM(1, 0, 0);
  EXPECT_EQ(port.written, (Texts{"200,0,,,2000;", "200,0,0,2000;", "0,-200,,2000;"}));
  EXPECT_TRUE(moves.armed());
}

TEST_F(StepMovesTest, ManualMoveRefusesRepeatsWhileWaiting) {
  ManualMoves moves(context());
  moves.arm('M');
  port.replyToEachWrite.clear();
  int repeats = 0;
  port.onIdleRead = [&] {
    // Key repeats arriving while the move waits are turned away.
    moves.ArduinoMoveMM(-1, 0, 0);
    if (++repeats == 3) port.arrive("T");
  };
  moves.ArduinoMoveMM(-1, 0, 0);
  EXPECT_EQ(port.written, (Texts{"-200,0,0,2000;"}));
  EXPECT_TRUE(moves.armed());
}

TEST_F(StepMovesTest, ManualMoveAfterAReadFailureStaysLocked) {
  ManualMoves moves(context());
  moves.arm('M');
  port.replyToEachWrite.clear();
  port.incoming.push_back(SerialPort::kFailed);
  EXPECT_THROW(moves.ArduinoMoveMM(1, 0, 0), LinkAbort);
  EXPECT_FALSE(moves.armed());
  EXPECT_EQ(prompts.messages.size(), 1u);
}

}  // namespace
}  // namespace vexa::link
