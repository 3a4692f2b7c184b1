// One controller, two homes: the same command streams through vexa-sim on a pseudo-terminal
// (the real serial backend) and through demo mode's in-process port give the same replies.

#include "emulator/emulated_port.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <chrono>
#include <string>
#include <vector>

#include "emulator/emulator_clock.h"
#include "link/qt_serial_port.h"
#include "support/sim_process.h"

namespace vexa::emulator {
namespace {

using link::OpenStatus;
using link::QtSerialPort;
using link::SerialPort;

struct Stream {
  const char* name;
  QStringList simArguments;             // vexa-sim's options ...
  ControllerBehaviour behaviour;        // ... and the same for the in-process port
  std::vector<std::string> writes;      // written one after the other, without a pause
  const char* replies;                  // what both say back
};

ControllerBehaviour Tagged(std::string tag, bool crlf = false,
                           std::vector<std::string> readings = {"128"}) {
  ControllerBehaviour behaviour;
  behaviour.tag = std::move(tag);
  behaviour.crlf = crlf;
  behaviour.probeReadings = std::move(readings);
  return behaviour;
}

const std::string kLongCommand = std::string(1500, '7') + ";";

const Stream kStreams[] = {
    {"VersionQuery", {"--tag", "PT"}, Tagged("PT"), {"V;"}, "PT"},
    {"VersionQueryWithLineEnds", {"--tag", "MT", "--crlf"}, Tagged("MT", true), {"V;"}, "MT\r\n"},
    {"NoVersionAnswer", {"--tag", ""}, Tagged(""), {"V;", "1,0,0,10;"}, "T"},
    {"MovesInOneWrite", {"--tag", "MT"}, Tagged("MT"), {"10,-20,0,2000;0,0,-5,4000;1,1,1,2000;"}, "TTT"},
    {"CommandSplitAcrossWrites", {"--tag", "PT"}, Tagged("PT"), {"40,", "0,40", "00;", "V", ";"}, "TPT"},
    {"LineEndsInTheStream", {"--tag", "OT"}, Tagged("OT"), {"V;\r\n", "5;\n0,3;\r\n"}, "OTTT"},
    {"LaserOffWithoutSemicolon", {"--tag", "OT"}, Tagged("OT"), {"0,0,-1"}, "T"},
    {"ProbeReadingsInTurn",
     {"--tag", "ST", "--probe", "10,200,35"},
     Tagged("ST", false, {"10", "200", "35"}),
     {"0,0,8;", "0,0,8;0,0,8;0,0,8;", "0,0,0;", "0,0,-4;", "12,0,0;"},
     "10OK200OK35OK10OKTTT"},
    {"ProbeShapeOutsideTheScanner", {"--tag", "OT", "--probe", "10"}, Tagged("OT", false, {"10"}),
     {"0,0,8;"}, "T"},
    {"OverlongCommand", {"--tag", "MT"}, Tagged("MT"), {kLongCommand, "V;"}, "TMT"},
};

// Every reply byte to `writes`, written back to back: what arrives until the line has been
// quiet for a while (well beyond the idle gap that completes a command without ";").
std::string Replies(SerialPort& port, const std::vector<std::string>& writes) {
  constexpr auto kQuiet = std::chrono::milliseconds(150);
  for (const std::string& text : writes) port.write(text);
  std::string replies;
  auto lastByte = EmulatorClock::now();
  while (EmulatorClock::now() - lastByte < kQuiet) {
    const int byte = port.readByte();
    if (byte >= 0) {
      replies += static_cast<char>(byte);
      lastByte = EmulatorClock::now();
    }
  }
  return replies;
}

class BothBackends : public ::testing::TestWithParam<Stream> {};

TEST_P(BothBackends, GiveTheSameReplies) {
  const Stream& stream = GetParam();
  test::SimProcess sim(stream.simArguments);
  QtSerialPort serial;
  ASSERT_EQ(serial.open(sim.portPath(), 9600).status, OpenStatus::Ok);
  EmulatedPort inProcess(stream.behaviour, EmulatorTiming{});
  ASSERT_EQ(inProcess.open("com1", 9600).status, OpenStatus::Ok);

  EXPECT_EQ(Replies(serial, stream.writes), stream.replies) << "vexa-sim";
  EXPECT_EQ(Replies(inProcess, stream.writes), stream.replies) << "in-process";
}

INSTANTIATE_TEST_SUITE_P(Streams, BothBackends, ::testing::ValuesIn(kStreams),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vexa::emulator
