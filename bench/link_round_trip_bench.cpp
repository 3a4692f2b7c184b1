// Command round trips to vexa-sim over a pseudo-terminal: through the machine link (write one
// command, wait for its "T") and, for comparison, a bare QSerialPort write/read ping-pong.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <QSerialPort>
#include <memory>
#include <stdexcept>

#include "link/machine_link.h"
#include "link/qt_event_pump.h"
#include "link/qt_serial_port.h"
#include "support/recording_prompts.h"

namespace {

// One simulator for the whole run, answering at once.
QString simPort() {
  static QProcess* sim = [] {
    auto* process = new QProcess;
    process->start(VEXA_SIM_PATH, {"--quiet"});
    if (!process->waitForStarted() || !process->waitForReadyRead(10000)) {
      throw std::runtime_error("vexa-sim did not start");
    }
    return process;
  }();
  static const QString path = QString::fromUtf8(sim->readLine().trimmed());
  return path;
}

void LinkRoundTrip(benchmark::State& state) {
  vexa::link::QtSerialPort port;
  vexa::link::QtEventPump pump;
  vexa::test::RecordingPrompts prompts;
  vexa::link::MachineLink link(port, pump, prompts);
  if (!link.OpenPort(simPort().toStdString(), 115200)) {
    state.SkipWithError("cannot open the simulator's port");
    return;
  }
  vexa::link::ReplyBuffer buffer;
  const auto wait = vexa::link::ReplyWait::JobWindow([] { return true; });
  for (auto _ : state) {
    link.WritePort("100,-200,0,2000;");
    link.WaitReply(buffer, wait);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(LinkRoundTrip)->MinTime(2.0)->UseRealTime();

void RawQSerialPortPingPong(benchmark::State& state) {
  QSerialPort port(simPort());
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
  return 0;
}
