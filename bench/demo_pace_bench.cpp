// Demo mode's pace: the laser window on its default picture (gepard2.jpg, no cnc.ini: every
// field at its default) engraves against the controller emulated inside the process, as
// `vexa --demo` does, on the offscreen platform. Reported: the commands, the window's estimate
// (as its label shows it, whole seconds), the run's wall time and processor time per command.
// instant:0 is demo mode itself: run_over_estimate (1.00 = exact). instant:1 answers every move
// at once, so the run is the program's own time alone: own_us per command, the figure of
// kDemoCommandMicros. A paced run waits for each answer partly by spinning (processor_us counts
// that too), so other busy programs slow it: run it with the load average below 1.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <chrono>
#include <filesystem>

#include <sys/resource.h>

#include "bench_pictures.h"
#include "bench_qt_main.h"
#include "emulator/demo_mode.h"
#include "link/machine_link.h"
#include "link/qt_event_pump.h"
#include "raster/raster_window.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

namespace {

using namespace vexa;

// The process's processor time so far (user and system), in seconds.
double processorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// "Оценка: 00:00:48, 123 456 команд": the seconds and the commands.
std::pair<double, double> estimateOf(const QString& text) {
  const QString rest = text.section(": ", 1);
  const QStringList clock = rest.section(',', 0, 0).split(':');
  double seconds = 0;
  for (const QString& part : clock) seconds = seconds * 60 + part.toDouble();
  QString digits;
  for (QChar c : rest.section(',', 1)) {
    if (c.isDigit()) digits += c;
  }
  return {seconds, digits.toDouble()};
}

// Argument: 1 for moves that take no time at all, so the run is the program's own time alone.
void BM_DemoLaserRun(benchmark::State& state) {
  test::TempFolder folder;
  std::filesystem::copy_file(bench::GepardPath(), folder / "gepard2.jpg");
  std::unique_ptr<emulator::EmulatedPort> port =
      state.range(0) == 0 ? emulator::MakeDemoPort()
                          : std::make_unique<emulator::EmulatedPort>(
                                emulator::ControllerBehaviour{},
                                emulator::EmulatorTiming{std::chrono::milliseconds(0), false, 1});
  link::QtEventPump pump;
  test::RecordingPrompts prompts;
  link::MachineLink link(*port, pump, prompts);
  link::MachineSettings machine;
  emulator::PrepareDemo(link, *port, machine);
  link.OpenPort("com1", 9600);

  raster::RasterWindow window(link, machine, folder.path(), "");
  window.show();
  QCoreApplication::processEvents();
  window.findChild<QCheckBox*>("Check1")->setChecked(true);
  QCoreApplication::processEvents();
  const auto [estimated, commands] = estimateOf(window.findChild<QLabel*>("Label9")->text());
  auto* engrave = window.findChild<QPushButton*>("Command1");
  double seconds = 0, processor = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const double processorStart = processorSeconds();
    engrave->click();
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    processor = processorSeconds() - processorStart;
  }
  state.counters["commands"] = commands;
  state.counters["estimate_s"] = estimated;
  state.counters["run_s"] = seconds;
  state.counters["processor_us"] = commands > 0 ? processor * 1e6 / commands : 0;
  if (state.range(0) == 0) {
    state.counters["run_over_estimate"] = estimated > 0 ? seconds / estimated : 0;
  } else {
    state.counters["own_us"] = commands > 0 ? seconds * 1e6 / commands : 0;
  }
  window.close();
}
BENCHMARK(BM_DemoLaserRun)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("instant")
    ->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

VEXA_QT_BENCHMARK_MAIN()
