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
      {"OT", "10,0,0,2000", 0},
      {"ST", "40,0,4000", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MovePace(c.tag).durationOf(c.command), microseconds(c.micros))
        << c.tag << " " << c.command;
  }
}

}  // namespace
}  // namespace vexa::emulator
