// Demo mode's controller inside the process: the firmware each window asks for, the probe's
// relief, moves that take their time, the command log, and the link and estimates around it.

#include "emulator/emulated_port.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "emulator/demo_mode.h"
#include "link/firmware_gate.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

namespace vexa::emulator {
namespace {

using link::DemoStatusText;
using link::GateOnFirmware;
using link::GateResult;
using link::InFlight;
using link::TagRule;
using link::TimeModel;
using link::MachineLink;
using link::MachineSettings;
using link::NoEventPump;
using link::OpenStatusText;
using link::SerialPort;

// Writes `text` and reads until `count` reply bytes have come.
std::string Ask(EmulatedPort& port, const std::string& text, std::size_t count) {
  port.write(text);
  std::string reply;
  while (reply.size() < count) {
    const int byte = port.readByte();
    if (byte >= 0) reply += static_cast<char>(byte);
  }
  return reply;
}

std::unique_ptr<EmulatedPort> OpenPort(ControllerBehaviour behaviour = {},
                                       EmulatorTiming timing = {},
                                       const std::filesystem::path& log = {}) {
  auto port = std::make_unique<EmulatedPort>(std::move(behaviour), timing, log);
  port->open("com1", 9600);
  return port;
}

TEST(EmulatedPort, AnswersTheVersionQueryWithTheFirmwareTheWindowExpects) {
  const auto owned = OpenPort();
  EmulatedPort& port = *owned;
  EXPECT_EQ(Ask(port, "V;", 2), "MT");
  const struct {
    const char* expected;
    const char* answered;
  } steps[] = {{"ST", "ST"}, {"", "ST"}, {"PT", "PT"}, {"BT", "BT"}, {"OT", "OT"}};
  for (const auto& step : steps) {
    port.expectFirmware(step.expected);
    EXPECT_EQ(Ask(port, "V;", 2), step.answered) << "after expecting '" << step.expected << "'";
  }
}

TEST(EmulatedPort, TheProbeReadsTheReliefWhereTheScannerMovedIt) {
  ControllerBehaviour behaviour;
  behaviour.tag = "ST";
  behaviour.relief = [](std::int64_t x, std::int64_t y) { return static_cast<int>(x + 2 * y); };
  const auto owned = OpenPort(behaviour);
  EmulatedPort& port = *owned;
  const struct {
    const char* command;
    const char* reply;
  } steps[] = {
      {"0,0,8;", "0OK"},
      {"100,0,0;", "T"},     // X,Y,S; of the walk
      {"0,0,8;", "100OK"},
      {"0,50,-4;", "T"},
      {"0,0,8;", "200OK"},
      {"-30,-20,0;", "T"},   // X,Y,Z; of a millimetre move
      {"5,0,,2000;", "T"},   // X,Y,,D; of manual positioning
      {"0,0,8;", "135OK"},
      {"0,0,0;", "T"},       // no reading asked for
  };
  for (const auto& step : steps) {
    EXPECT_EQ(Ask(port, step.command, std::string(step.reply).size()), step.reply)
        << step.command;
  }
}

TEST(EmulatedPort, DemoReliefIsASmoothFieldOfBumpsWithinTheGrayLevels) {
  MachineSettings machine;  // 0,005 mm per step
  const ProbeRelief relief = DemoRelief(machine);
  int lowest = 255, highest = 0, largestStep = 0;
  const std::int64_t stepsPerMm = 200;
  for (std::int64_t y = 0; y <= 100; ++y) {
    for (std::int64_t x = 0; x <= 100; ++x) {
      const int here = relief(x * stepsPerMm, y * stepsPerMm);
      lowest = std::min(lowest, here);
      highest = std::max(highest, here);
      const int next = relief((x + 1) * stepsPerMm, y * stepsPerMm);
      largestStep = std::max(largestStep, std::abs(here - next));
    }
  }
  EXPECT_GE(lowest, 0);
  EXPECT_LE(highest, 255);
  EXPECT_GE(highest - lowest, 100) << "the bumps stand out";
  EXPECT_LE(largestStep, 15) << "a millimetre further changes little";
  // A walk towards negative millimetres meets the same bumps.
  EXPECT_EQ(relief(-25 * stepsPerMm, -20 * stepsPerMm), relief(25 * stepsPerMm, 20 * stepsPerMm));
  // Other millimetres per step, changed after the start: the bumps stay where they are in
  // millimetres.
  const int at25mm = relief(25 * stepsPerMm, 20 * stepsPerMm);
  machine.SM_X_ratio = -0.01;
  EXPECT_EQ(relief(-2500, 20 * stepsPerMm), at25mm);
}

TEST(EmulatedPort, APacedMoveIsNotAnsweredBeforeItsTime) {
  ControllerBehaviour raster;
  raster.tag = "PT";
  const auto owned = OpenPort(raster, EmulatorTiming{{}, true, 10});
  EmulatedPort& port = *owned;
  EXPECT_EQ(Ask(port, ",,,40,2000;", 1), "T");  // the setup takes no time
  // 100 000 steps of 10 ms, ten times faster: still 100 s.
  port.write("100000,0,10000;");
  EXPECT_EQ(port.readWaitingByte(), SerialPort::kNothing);
  EXPECT_EQ(port.readByte(), SerialPort::kNothing);
  EXPECT_EQ(port.demoSpeedup(), 10);
}

TEST(EmulatedPort, LogsEveryCommandAsVexaSimDoesAndLosesUnreadAnswersWithThePort) {
  test::TempFolder folder;
  const auto owned = OpenPort({}, {}, folder / "commands.log");
  EmulatedPort& port = *owned;
  EXPECT_EQ(Ask(port, "V;1,2,", 2), "MT");
  EXPECT_EQ(Ask(port, "3,4;0,0,-1", 2), "TT");  // the last one completes on the idle line
  port.write("5,5,5,5;");
  port.close();
  port.open("com1", 9600);
  EXPECT_EQ(port.readWaitingByte(), SerialPort::kNothing);
  port.close();
  port.write("6;");  // a shut port takes nothing
  EXPECT_EQ(folder.read("commands.log"), "V\n1,2,3,4\n0,0,-1\n5,5,5,5\n");
}

TEST(DemoMode, TheLinkOpensWhateverThePortIsCalledAndEveryWindowPassesItsGate) {
  std::unique_ptr<EmulatedPort> port = MakeDemoPort();
  NoEventPump pump;
  test::RecordingPrompts prompts;
  std::int64_t now = 0;
  MachineLink link(*port, pump, prompts, [&now] { return now++ / 20; });
  MachineSettings machine;
  PrepareDemo(link, *port, machine);

  EXPECT_TRUE(link.OpenPort(std::string("com\0\0", 5), 9600)) << "a name a power cut left";
  EXPECT_TRUE(prompts.messages.empty());
  for (const char* tag : {"MT", "PT", "BT", "OT", "ST", ""}) {
    const GateResult result = GateOnFirmware(link, TagRule{tag});
    EXPECT_EQ(result.status, "Демо-режим (ускорение x1000)") << tag;
    EXPECT_TRUE(result.controlsOn) << tag;
  }
  EXPECT_TRUE(prompts.firmwareNotices.empty());
  EXPECT_EQ(OpenStatusText(link), DemoStatusText(kDemoSpeedup));

  // The estimates see no line, the program's own time per command and moves a thousand times
  // faster.
  const TimeModel model(link.pace, link.speed, InFlight::One);
  const auto own = std::llround(kDemoCommandMicros * 1000);
  EXPECT_EQ(model.commandNanos(12, 80'000), 80'000 + own);
  EXPECT_EQ(model.commandNanos(12, 0), own);
}

}  // namespace
}  // namespace vexa::emulator
