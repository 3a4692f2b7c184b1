// How long the G-code window's top view takes to draw a CAM program of a million lines once it
// is set (fitted and drawn into its image, as the first paint does), at the window's usual size.
// draw_s is the figure to report (aim: under 0.5 s).

#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench_gcode.h"
#include "bench_qt_main.h"
#include "bench_timing.h"
#include "gcode/gcode_program.h"
#include "gcode_run/gcode_path_view.h"

namespace {

using namespace vexa;

void BM_DrawMillionLines(benchmark::State& state) {
  const gcode::GcodeRead read = gcode::ReadGcodeProgram(bench::CamProgram());
  std::vector<gcode_run::ViewSegment> segments;
  float x = 0, y = 0;
  for (const gcode::Segment& s : read.program.segments) {
    segments.push_back({x, y, float(s.x), float(s.y), s.work != 0});
    x = float(s.x);
    y = float(s.y);
  }
  gcode_run::GcodePathView view;
  view.resize(900, 700);
  double seconds = 0;
  for (auto _ : state) {
    seconds = bench::BestSeconds(3, [&] {
      view.setPath(segments);
      view.grab();  // the paint that draws the path into the view's image
    });
  }
  state.counters["segments"] = double(segments.size());
  state.counters["draw_s"] = seconds;
}
BENCHMARK(BM_DrawMillionLines)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

VEXA_QT_BENCHMARK_MAIN();
