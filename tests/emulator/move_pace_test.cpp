// How long the firmwares take over each command (vexa-sim --pace, demo mode).

#include "emulator/move_pace.h"

#include <gtest/gtest.h>

namespace vexa::emulator {
namespace {

using std::chrono::microseconds;

TEST(MovePace, RasterMovesTakeTheirStepsOneAxisAfterTheOther) {
  MovePace pace("PT");
  const struct {
    const char* command;
    long long micros;
  } cases[] = {
      {"40,0,0", 40 * 2000},        // laser off before any setup: 2000 per step
      {",,,40,1500", 0},            // the laser's setup: idle delay 1500
      {"40,0,0", 40 * 1500},        // travel at the idle delay
      {"-40,0,4000", 40 * 4000},    // a burn at its dwell
      {"-80,-120,0", 200 * 1500},   // the return: both axes, one after the other
      {",,900", 0},                 // the hot wire's setup
      {"0,40,900", 40 * 900},       // its row move carries the delay itself
      {"0,0,0", 0},                 // the connection check's probe
      {"V", 0},
      {"10,0,0,2000", 0},           // not a raster move
      {"0,0,-1", 0},
      {"x,1,2", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pace.durationOf(c.command), microseconds(c.micros)) << c.command;
  }
}

TEST(MovePace, MillingMovesTakeTheirStepsAtTheirDelayAndOtherFirmwaresNoTime) {
  const struct {
    const char* tag;
    const char* command;
    long long micros;
  } cases[] = {
      {"MT", "10,-20,5,300", 35 * 300},  // X,Y,Z,W: every step at W
      {"MT", "0,0,-40,1000", 40 * 1000},  // the pause dialog's lift
      {"MT", "10,0,0,0", 0},              // no delay
      {"MT", "40,0,4000", 0},             // a raster move means nothing here
      {"MT", "V", 0},
      {"BT", "10,0,,2000", 0},
      {"GT", "40,0,4000", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MovePace(c.tag).durationOf(c.command), microseconds(c.micros))
        << c.tag << " " << c.command;
  }
}

// One run of commands on one firmware: the delay a command leaves is kept for the ones after it.
struct Step {
  const char* command;
  long long micros;
};

void expectRun(const char* tag, std::initializer_list<Step> run) {
  MovePace pace(tag);
  for (const Step& s : run) {
    EXPECT_EQ(pace.durationOf(s.command), microseconds(s.micros)) << tag << " " << s.command;
  }
}

TEST(MovePace, OutlineMovesTakeTheirStepsAtTheDelayLastGiven) {
  expectRun("OT", {
                      {"5", 5 * 2000},               // X alone, before any delay: 2000
                      {"0,-3", 3 * 2000},            // Y alone, X kept as 0
                      {"12,-7,0,2000", 19 * 2000},   // travel at the travel delay
                      {"0,0,1,700", 0},              // laser on with the step delay
                      {"1", 700},                    // the contour's steps carry 0: 700
                      {"-1,1", 2 * 700},
                      {"0,0,-1", 0},                 // the stop question's laser off ...
                      {"0,0,1", 0},                  // ... and on again
                      {"0,-1", 700},                 // still the step delay
                      {"0,0,-1,2000", 0},            // laser off with the travel delay
                      {"4,4", 8 * 2000},             // the next travel
                      {"3,0,0,900", 3 * 900},        // a step with a delay of its own
                      {"10,-20,4", 34 * 2000},       // a millimetre move X,Y,Z: 2000
                      {"0,0,-5", 5 * 2000},          // Z alone
                      {"30,40,,1500", 70 * 1500},    // the manual window's move
                      {"1", 1500},                   // ... whose delay is kept
                      {"0,0,0,0", 0},
                      {"V", 0},
                      {"1,2,3,4,5", 0},
                      {"x,1", 0},
                  });
}

TEST(MovePace, ScannerMovesAndProbesTakeTheTravelDelay) {
  expectRun("ST", {
                      {"0,0,200", 400 * 2000},      // the probe: 200 steps down, 200 up
                      {"250,0,0", 250 * 2000},      // the walk's step along X
                      {"0,-125,0", 125 * 2000},     // ... and along Y
                      {"10,-20,-30", 60 * 2000},    // a millimetre move X,Y,Z
                      {"0,0,-30", 30 * 2000},       // down is a move, not a probe
                      {"40,-10,,1000", 50 * 1000},  // the manual window's move
                      {"0,0,0", 0},
                      {"5", 0},                     // no such scanner command
                      {"V", 0},
                  });
}

}  // namespace
}  // namespace vexa::emulator
