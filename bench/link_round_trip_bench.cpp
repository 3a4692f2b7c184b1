// Command round trips to vexa-sim over a pseudo-terminal: through the machine link (write one
// command, wait for its "T") against a healthy board, an echoing board and a chatty board, and,
// for comparison, a bare QSerialPort write/read ping-pong.
//
// An echoing board sends each command back before its "T". Each wait consumes one character
// and earlier replies count, so the link runs ahead of such a board and keeps what it has not
// consumed (16 bytes of every 17 the board sends): the counters show the bytes held against
// the bytes received, and how much the process grew.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QSerialPort>
#include <map>
#include <memory>
#include <string>

#include "link/machine_link.h"
#include "link/qt_event_pump.h"
#include "link/qt_serial_port.h"
#include "support/process_usage.h"
#include "support/recording_prompts.h"
#include "support/sim_process.h"

namespace {

using vexa::test::ResidentKb;
using vexa::test::SimProcess;

// One emulator per kind of board, started on first use and ended when main() returns.
std::map<std::string, std::unique_ptr<SimProcess>>& sims() {
  static std::map<std::string, std::unique_ptr<SimProcess>> running;
  return running;
}

SimProcess& sim(const std::string& kind, const QStringList& arguments) {
  auto& running = sims()[kind];
  if (!running) running = std::make_unique<SimProcess>(arguments);
  return *running;
}

void roundTrips(benchmark::State& state, SimProcess& board) {
  vexa::link::QtSerialPort port;
  vexa::link::QtEventPump pump;
  vexa::test::RecordingPrompts prompts;
  vexa::link::MachineLink link(port, pump, prompts);
  if (!link.OpenPort(board.portPath(), 115200)) {
    state.SkipWithError("cannot open the simulator's port");
    return;
  }
  const std::string command = "100,-200,0,2000;";
  vexa::link::ReplyBuffer buffer;
  const auto wait = vexa::link::ReplyWait::JobWindow([] { return true; });
  const double ownBefore = ResidentKb(0);
  const double boardBefore = ResidentKb(board.processId());
  for (auto _ : state) {
    link.WritePort(command);
    link.WaitReply(buffer, wait);
  }
  const auto commands = static_cast<double>(state.iterations());
  state.SetItemsProcessed(state.iterations());
  state.counters["held_bytes"] = static_cast<double>(buffer.text().size());
  state.counters["held_per_cmd"] = static_cast<double>(buffer.text().size()) / commands;
  state.counters["grew_kB"] = ResidentKb(0) - ownBefore;
  state.counters["board_grew_kB"] = ResidentKb(board.processId()) - boardBefore;
}

void LinkRoundTrip(benchmark::State& state) { roundTrips(state, sim("healthy", {})); }
BENCHMARK(LinkRoundTrip)->MinTime(2.0)->UseRealTime();

void LinkRoundTripEchoingBoard(benchmark::State& state) {
  roundTrips(state, sim("echo", {"--echo"}));
}
BENCHMARK(LinkRoundTripEchoingBoard)->MinTime(2.0)->UseRealTime();

// A board that prints a reading line about ten times a second besides answering.
void LinkRoundTripChattyBoard(benchmark::State& state) {
  roundTrips(state, sim("chatty", {"--chatter", "850"}));
}
BENCHMARK(LinkRoundTripChattyBoard)->MinTime(2.0)->UseRealTime();

void RawQSerialPortPingPong(benchmark::State& state) {
  QSerialPort port(QString::fromStdString(sim("healthy", {}).portPath()));
  if (!port.open(QIODevice::ReadWrite)) {
    state.SkipWithError("cannot open the simulator's port");
    return;
  }
  const QByteArray command("100,-200,0,2000;");
  for (auto _ : state) {
    port.write(command);
    port.waitForBytesWritten(1000);
    QByteArray reply;
    while (!reply.contains('T')) {
      if (port.bytesAvailable() == 0) port.waitForReadyRead(1000);
      reply += port.readAll();
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RawQSerialPortPingPong)->MinTime(2.0)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  sims().clear();  // the emulators end here, while the application still exists
  return 0;
}
