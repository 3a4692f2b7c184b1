// The laser window as a G-code converter on a 4000 x 3000 gray picture (400 mm at 0,1 mm spots,
// "Гравировать" cleared because no machine is connected): "Гравировать" pressed in the real
// window, without and with "G-код", against the raster run of the core alone on the same fitted
// picture. ratio_to_core is the window's time over the core's: the window's own share.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <chrono>
#include <filesystem>

#include "bench_pictures.h"
#include "bench_qt_main.h"
#include "bench_timing.h"
#include "link/machine_link.h"
#include "link/qt_event_pump.h"
#include "picture/bmp_file.h"
#include "raster/raster_job.h"
#include "raster/raster_window.h"
#include "shut_port.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

namespace {

using namespace vexa;

struct Converter {
  Converter() {
    picture::WriteBmpFile(bench::Photograph(4000, 3000), folder / "picture.bmp");
    folder.write("cnc.ini", "[CNC]\r\nEtching_width=400\r\nEtching_diameter=0,1\r\nEtching_image=" +
                                (folder / "picture.bmp").string() + "\r\n");
  }
  test::TempFolder folder;
  bench::ShutPort port;
  link::QtEventPump pump;
  test::RecordingPrompts prompts;
  link::MachineLink link{port, pump, prompts};
  link::MachineSettings settings;
};

Converter& converter() {
  static Converter instance;
  return instance;
}

// The core's run on `fitted`, as the window would set it up, in seconds.
double coreSeconds(const picture::PixelBuffer& fitted, bool exporting) {
  Converter& c = converter();
  picture::PixelBuffer bitmap = fitted;
  link::RasterMoves moves(link::MotionContext(c.link, c.settings, [] { return false; }), [&] {
    return link::PlaneScale{400, bitmap.width()};
  });
  return bench::BestSeconds(2, [&] {
    raster::RunParts parts{c.link,
                           moves,
                           c.settings,
                           bitmap,
                           {},
                           {},
                           raster::RunBoxes{[] { return false; }, [] { return false; },
                                            [] { return false; }, [] { return false; }},
                           raster::RunNumbers{4000, 0, 400, 300},
                           raster::LaserRunRules(),
                           exporting ? std::optional(c.folder / "core.gcode") : std::nullopt};
    raster::RasterRun(std::move(parts)).run();
  });
}

// Argument: 1 with "G-код".
void BM_WindowConversion(benchmark::State& state) {
  Converter& c = converter();
  const bool exporting = state.range(0) != 0;
  raster::RasterWindow window(c.link, c.settings, c.folder.path(), "");
  window.show();
  QCoreApplication::processEvents();
  window.findChild<QCheckBox*>("Check4")->setChecked(exporting);
  auto* engrave = window.findChild<QPushButton*>("Command1");
  double seconds = 0;
  for (auto _ : state) seconds = bench::BestSeconds(1, [&] { engrave->click(); });
  state.counters["pixels"] =
      double(window.picture().copy().width()) * window.picture().copy().height();
  state.counters["ratio_to_core"] = seconds / coreSeconds(window.picture().copy(), exporting);
  window.close();
}
BENCHMARK(BM_WindowConversion)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("gcode")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

VEXA_QT_BENCHMARK_MAIN()
