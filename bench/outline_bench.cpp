// Planning the outline jobs with "Гравировать" cleared on a 2000 x 2000 drawing (the gepard
// photograph thresholded): "Все" and "Грав-ть всё" with a spot of 4 pixels, counting the step
// moves per second, once without a view and once with the window's view of the laser picture
// (a PictureView repainted every 11th step, events let through every 5 ms), so the
// redraws' share shows.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "bench_pictures.h"
#include "bench_qt_main.h"
#include "figures/parse_figures.h"
#include "link/machine_link.h"
#include "link/paced_pump.h"
#include "link/qt_event_pump.h"
#include "outline/outline_job.h"
#include "picture/picture_view.h"
#include "shut_port.h"
#include "support/recording_prompts.h"

namespace {

using vexa::picture::PixelBuffer;

using vexa::bench::Drawing;

// Arguments: 0 "Все", 1 "Грав-ть всё"; 0 without a view, 1 with it.
void BM_OutlinePlanning(benchmark::State& state) {
  vexa::bench::ShutPort port;
  vexa::link::QtEventPump pump;
  vexa::test::RecordingPrompts prompts;
  vexa::link::MachineLink link(port, pump, prompts);
  vexa::link::MachineSettings settings;
  const PixelBuffer& drawing = Drawing();
  vexa::outline::OutlineState outlineState;
  vexa::link::OutlineMoves moves(
      vexa::link::MotionContext(link, settings, [] { return false; }),
      [&] {
        return vexa::link::PlaneScale{200, drawing.width()};
      },
      vexa::link::OutlineMoves::WhenIdle::Continue);
  vexa::link::PacedPump paced(pump);
  std::int64_t steps = 0;
  for (auto _ : state) {
    state.PauseTiming();
    PixelBuffer tool = drawing, working = drawing;
    vexa::figures::FigureData figures;
    vexa::figures::ParseFigures(working, figures);
    std::unique_ptr<vexa::picture::PictureView> view;
    if (state.range(1) != 0) {
      view = std::make_unique<vexa::picture::PictureView>();
      view->setPicture(&tool);
      view->resize(800, 800);
      view->show();
    }
    vexa::outline::OutlineParts parts{moves,
                                      settings,
                                      figures,
                                      tool,
                                      outlineState,
                                      1000,
                                      2.0,
                                      {},
                                      [&] {
                                        if (view) view->requestRedraw();
                                      },
                                      [&] {
                                        if (view) paced();
                                      },
                                      [&] { ++steps; }};
    state.ResumeTiming();
    if (state.range(0) == 0) {
      vexa::outline::OutlineJob(parts).OutlineAll();
    } else {
      vexa::outline::FillAll(
          {parts, drawing, working, 4.0, [&] { vexa::figures::ParseFigures(working, figures); }});
    }
  }
  state.counters["moves"] = double(steps) / double(state.iterations());
  state.counters["moves_per_s"] = benchmark::Counter(double(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OutlinePlanning)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"fill", "view"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace

VEXA_QT_BENCHMARK_MAIN()
