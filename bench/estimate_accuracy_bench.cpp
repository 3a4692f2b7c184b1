// How close each window's estimate comes to a run against vexa-sim --pace (the firmware's time
// for every move) on a small picture: the run's wall time over the estimate, per job. The link's
// round trip is measured first, as "Проверить соединение" does, at 115 200 baud: a pseudo-terminal
// carries bytes faster than any baud rate, and the model's line time per command (about 10 ms a
// command at 9600 baud, right for a real board) would stand out on runs this short. Not a test:
// wall times vary.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>

#include "app/connection_check.h"
#include "bench_qt_main.h"
#include "cutting/cutting_window.h"
#include "figures/figure_pictures.h"
#include "figures/figure_tree_widget.h"
#include "milling/milling_window.h"
#include "outline/outline_window.h"
#include "scanner/scanner_window.h"
#include "support/window_bench.h"

namespace {

using vexa::picture::PixelBuffer;

PixelBuffer figures() {
  return vexa::figures::test::Drawn(
      {"....................", ".##########.........", ".##########..####...",
       ".###....###..####...", ".###....###..####...", ".###....###..####...",
       ".##########..####...", ".##########.........", "....................",
       "...#######..........", "...#######..........", "...................."});
}

template <typename Window>
void measurePace(vexa::test::WindowBench<Window>& bench) {
  // The second port of the same emulator is not at hand: the check reopens this one.
  vexa::app::CheckConnection(bench.sim.link, bench.sim.sim.portPath(), 115200);
}

template <typename Window>
void waitForEstimate(vexa::test::WindowBench<Window>& bench, int job) {
  for (int i = 0; i < 6000 && !bench.window->jobFollow().shownEstimate(job); ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
}

// Arguments: the window (0 milling, 1 outline, 2 cutting) and the job (0 "Выделенная",
// 1 "Все", 2 "Резать 3D" / "Грав-ть всё"; the cutting window's one job is 0).
template <typename Window>
void runOne(benchmark::State& state, const char* tag, const char* imageKey, PixelBuffer picture,
            const char* settings, const char* button, int job, bool parse) {
  for (auto _ : state) {
    vexa::test::WindowBench<Window> bench(tag, QStringList{"--pace"});
    bench.prepare(picture, imageKey, settings);
    bench.open();
    measurePace(bench);
    if (parse) {
      bench.click("Command3");
      bench.template find<vexa::figures::FigureTreeWidget>("tv")->selectKey("P2");
    }
    waitForEstimate(bench, job);
    const auto estimate = bench.window->jobFollow().shownEstimate(job);
    const auto start = std::chrono::steady_clock::now();
    bench.click(button);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["estimate_s"] = estimate ? double(estimate->nanos()) / 1e9 : -1;
    state.counters["run_s"] = wall;
    state.counters["run_over_estimate"] = estimate ? wall * 1e9 / double(estimate->nanos()) : -1;
    state.counters["commands"] = estimate ? double(estimate->commands()) : -1;
  }
}

const char* const kMilling =
    "cncrez_width=2\r\ncncrez_depth=1,275\r\nmill_diameter=0,2\r\nSM_mill_delay=2000\r\n";
const char* const kOutline = "Etching2_width=2\r\nEtching2_diameter=0,2\r\nEtching2_delay=2000\r\n";

void BM_Milling(benchmark::State& state) {
  const int job = int(state.range(0));
  const char* buttons[] = {"Command1", "Command2", "Command6"};
  runOne<vexa::milling::MillingWindow>(state, "MT", "Image", figures(), kMilling, buttons[job],
                                       job, job < 2);
}
BENCHMARK(BM_Milling)->DenseRange(0, 2)->ArgName("job")->Iterations(1)->UseRealTime()
    ->Unit(benchmark::kSecond);

void BM_Outline(benchmark::State& state) {
  const int job = int(state.range(0));
  const char* buttons[] = {"Command1", "Command2", "Command6"};
  runOne<vexa::outline::OutlineWindow>(state, "OT", "Etching2_image", figures(), kOutline,
                                       buttons[job], job, job < 2);
}
BENCHMARK(BM_Outline)->DenseRange(0, 2)->ArgName("job")->Iterations(1)->UseRealTime()
    ->Unit(benchmark::kSecond);

void BM_Cutting(benchmark::State& state) {
  runOne<vexa::cutting::CuttingWindow>(
      state, "OT", "Etching9_image",
      vexa::figures::test::Drawn({"............", ".########...", "............",
                                  "...#........", "...#....##..", "...#........"}),
      "Etching9_width=1,2\r\nEtching9_delay=2000\r\n", "Command2", 0, false);
}
BENCHMARK(BM_Cutting)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

void BM_Scanner(benchmark::State& state) {
  for (auto _ : state) {
    vexa::test::WindowBench<vexa::scanner::ScannerWindow> bench("ST", QStringList{"--pace", "--probe", "40"});
    bench.open();
    vexa::app::CheckConnection(bench.sim.link, bench.sim.sim.portPath(), 115200);
    QCoreApplication::processEvents();
    const auto estimate = bench.window->estimate();
    const auto start = std::chrono::steady_clock::now();
    bench.click("Command6");
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["estimate_s"] = estimate ? double(estimate->nanos()) / 1e9 : -1;
    state.counters["run_s"] = wall;
    state.counters["run_over_estimate"] = estimate ? wall * 1e9 / double(estimate->nanos()) : -1;
  }
}
BENCHMARK(BM_Scanner)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace

VEXA_QT_BENCHMARK_MAIN()
