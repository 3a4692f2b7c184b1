// What the standard G-code export costs a job: a 4000 x 3000 photograph as a laser raster run
// and "Резать 3D" on a 2000 x 2000 photograph, each run without a machine (commands answered
// at once by a port that keeps nothing), once without the export and once writing program.gcode
// in the standard form (the raster run also in the form the laser window always wrote).
// export_cost = with / without (1.0 = free).

#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_pictures.h"
#include "bench_timing.h"
#include "figures/parse_figures.h"
#include "gcode/job_gcode.h"
#include "link/milling_moves.h"
#include "milling/relief_job.h"
#include "raster/raster_job.h"
#include "raster/raster_run.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

namespace {

using namespace vexa;

// A controller that answers every command at once and keeps nothing.
class AnsweringPort final : public link::SerialPort {
 public:
  link::OpenResult open(const std::string&, int) override { return {}; }
  void close() override {}
  bool isOpen() const override { return true; }
  void write(const std::string&) override { ++owed_; }
  std::size_t writeConfirmed(const std::string& text) override {
    write(text);
    return text.size();
  }
  int readByte() override { return readWaitingByte(); }
  int readWaitingByte() override {
    if (owed_ == 0) return kNothing;
    --owed_;
    return 'T';
  }

 private:
  long long owed_ = 0;
};

struct Machine {
  AnsweringPort port;
  link::NoEventPump pump;
  test::RecordingPrompts prompts;
  link::MachineLink link{port, pump, prompts};
  link::MachineSettings settings;
  test::TempFolder folder;
};

double RasterSeconds(bool exporting, gcode::Dialect dialect) {
  static const picture::PixelBuffer photo = bench::Photograph(4000, 3000);
  Machine m;
  picture::PixelBuffer bitmap = photo;
  link::RasterMoves moves(link::MotionContext(m.link, m.settings, [] { return true; }),
                          [&] { return link::PlaneScale{800, bitmap.width()}; });
  return bench::BestSeconds(2, [&] {
    raster::RunParts parts{m.link,
                           moves,
                           m.settings,
                           bitmap,
                           {},
                           {},
                           raster::RunBoxes{[] { return true; }, [] { return false; },
                                            [] { return true; }, [] { return false; }},
                           raster::RunNumbers{4000, 0, 800, 600},
                           raster::LaserRunRules(),
                           exporting ? std::optional(m.folder / "program.gcode") : std::nullopt};
    parts.dialect = dialect;
    parts.rules.restoreCleanCopy = false;
    raster::RasterRun(std::move(parts)).run();
  });
}

double RasterStandardSeconds(bool exporting) {
  return RasterSeconds(exporting, gcode::Dialect::Standard);
}

// The form the laser window always wrote, for comparison: three lines a burned pixel.
double RasterVexaSeconds(bool exporting) {
  return RasterSeconds(exporting, gcode::Dialect::Vexa);
}

double ReliefSeconds(bool exporting) {
  static const picture::PixelBuffer photo = bench::Photograph(2000, 2000);
  Machine m;
  return bench::BestSeconds(1, [&] {
    picture::PixelBuffer tool = photo, working = photo;
    figures::FigureData figures;
    milling::MillingState state;
    link::MillingMoves moves(link::MotionContext(m.link, m.settings, [] { return true; }),
                             [&] { return link::MillingScale{400, 5, tool.width()}; });
    std::optional<gcode::JobGcode> file;
    if (exporting) {
      file.emplace(m.folder / "program.gcode", "bench", gcode::JobGcode::Tool::Cutter,
                   gcode::Calibration::Of(m.settings), gcode::StandardOptions{}, moves.listener);
    }
    const double diameter = 24;  // pixels: a 4.8 mm cutter at 0.2 mm a pixel
    milling::Mill3D({milling::MillingParts{moves, m.settings, figures, tool, state, 4000,
                                           milling::CutterSizeOf(4.8, 400, tool.width()),
                                           [] { return true; }, {}, {}},
                     photo, working, diameter,
                     [&] { figures::ParseFigures(working, figures); }});
    if (file) file->finish();
  });
}

void BM_ExportCost(benchmark::State& state, double (*seconds)(bool)) {
  double without = 0, with = 0;
  for (auto _ : state) {
    without = seconds(false);
    with = seconds(true);
  }
  state.counters["without_s"] = without;
  state.counters["with_s"] = with;
  state.counters["export_cost"] = with / without;
}
BENCHMARK_CAPTURE(BM_ExportCost, Raster4000x3000Standard, RasterStandardSeconds)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ExportCost, Raster4000x3000Vexa, RasterVexaSeconds)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ExportCost, Relief2000x2000, ReliefSeconds)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
