// Planning and exporting a 1000 x 750 gray picture (200 mm at 0.2 mm spots) as "Гравировать"
// with "Гравировать" cleared does it: the row walk alone, the estimate shown before the run, the
// whole run without the export, the same with its progress followed, and the whole run writing
// program.gcode. Reported as moves and G-code lines per second; the progress run also as its
// time over the run without (progress_cost, 1.0 = free).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "link/event_pump.h"
#include "link/machine_link.h"
#include "picture/pixel_buffer.h"
#include "raster/raster_job.h"
#include "raster/row_walk.h"
#include "raster/run_estimate.h"
#include "shut_port.h"
#include "support/recording_prompts.h"

namespace {

using namespace vexa;

// A photograph-like gray picture, a quarter of it white (levels from a fixed generator).
const picture::PixelBuffer& grayPicture() {
  static const picture::PixelBuffer picture = [] {
    picture::PixelBuffer p(1000, 750);
    std::uint32_t seed = 12345;
    for (int y = 1; y <= p.height(); ++y) {
      for (int x = 1; x <= p.width(); ++x) {
        seed = seed * 1664525u + 1013904223u;
        const int level = (x / 4 + y / 3 + static_cast<int>(seed >> 28)) % 340;
        p.setGray(x, y, static_cast<std::uint8_t>(level > 254 ? 255 : level));
      }
    }
    return p;
  }();
  return picture;
}

struct CountingSteps final : raster::WalkSteps {
  std::int64_t moves = 0;
  void travel(std::int32_t, std::int32_t) override { ++moves; }
  void burn(std::int32_t, std::uint8_t, std::int32_t, int, int) override { ++moves; }
  void rowMove(int) override { ++moves; }
  void rowDone(bool) override {}
  void returnMove(std::int32_t, std::int32_t) override { ++moves; }
};

void BM_RowWalk(benchmark::State& state) {
  std::int64_t moves = 0;
  for (auto _ : state) {
    CountingSteps steps;
    raster::WalkRows(grayPicture(), {[] { return false; }, false, [] { return true; }}, steps);
    moves += steps.moves;
  }
  state.counters["moves/s"] =
      benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RowWalk)->Unit(benchmark::kMillisecond);

void BM_Estimate(benchmark::State& state) {
  const link::MachineSettings settings;
  const link::TimeModel model = raster::RasterTimeModel({}, 9600);
  std::int64_t commands = 0;
  for (auto _ : state) {
    const auto estimate = raster::EstimateRun(grayPicture(), raster::RunNumbers{4000, 0, 200, 150},
                                              raster::LaserRunRules(), settings, {false, true},
                                              model);
    commands += estimate->commands();
  }
  state.counters["commands/s"] =
      benchmark::Counter(static_cast<double>(commands), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Estimate)->Unit(benchmark::kMillisecond);

// A dry laser run of the picture at 200 mm, with nothing sent: what the window does with
// "Гравировать" cleared.
struct DryRun {
  DryRun() : link(port, pump, prompts), bitmap(grayPicture()) {}

  raster::RunParts parts(std::optional<std::filesystem::path> exportPath = std::nullopt) {
    return raster::RunParts{link,
                            moves,
                            settings,
                            bitmap,
                            {},
                            {},
                            raster::RunBoxes{[] { return false; }, [] { return false; },
                                             [] { return true; }, [] { return false; }},
                            numbers,
                            raster::LaserRunRules(),
                            std::move(exportPath)};
  }

  bench::ShutPort port;
  link::NoEventPump pump;
  test::RecordingPrompts prompts;
  link::MachineLink link;
  link::MachineSettings settings;
  picture::PixelBuffer bitmap;
  link::RasterMoves moves{link::MotionContext(link, settings, [] { return false; }),
                          [this] { return link::PlaneScale{200, bitmap.width()}; }};
  const raster::RunNumbers numbers{4000, 0, 200, 150};
};

// Seconds of one dry run, the best of `repeats`; with `progress`, followed as the window does
// (its estimate counted beforehand, as the window has it on show).
double dryRunSeconds(bool progress, int repeats) {
  DryRun dry;
  const auto estimate =
      raster::EstimateRun(dry.bitmap, dry.numbers, raster::LaserRunRules(), dry.settings,
                          {false, true}, raster::RasterTimeModel({}, 9600));
  int reports = 0;
  double best = 1e9;
  for (int i = 0; i < repeats; ++i) {
    raster::RunParts parts = dry.parts();
    if (progress) {
      parts.estimate = estimate;
      parts.showProgress = [&reports](const link::ProgressReport&) { ++reports; };
    }
    const auto start = std::chrono::steady_clock::now();
    raster::RasterRun(std::move(parts)).run();
    best = std::min(
        best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  benchmark::DoNotOptimize(reports);
  return best;
}

// Without and with progress, in turns, the best of many each: the difference is small beside
// the machine's own noise.
void BM_ProgressCost(benchmark::State& state) {
  double without = 1e9, with = 1e9;
  for (auto _ : state) {
    for (int round = 0; round < 5; ++round) {
      without = std::min(without, dryRunSeconds(false, 4));
      with = std::min(with, dryRunSeconds(true, 4));
    }
  }
  state.counters["without_ms"] = without * 1e3;
  state.counters["with_ms"] = with * 1e3;
  state.counters["progress_cost"] = with / without;
}
BENCHMARK(BM_ProgressCost)->Iterations(1)->Unit(benchmark::kMillisecond);

void runDry(benchmark::State& state, bool exporting) {
  DryRun dry;
  const std::filesystem::path exportPath =
      std::filesystem::temp_directory_path() / "vexa-raster-bench.gcode";
  std::int64_t movesDone = 0;
  std::int64_t lines = 0;
  for (auto _ : state) {
    raster::RasterRun run(dry.parts(exporting ? std::optional(exportPath) : std::nullopt));
    run.run();
    movesDone += run.movesPlanned();
    lines += run.gcodeLines();
  }
  state.counters["moves/s"] =
      benchmark::Counter(static_cast<double>(movesDone), benchmark::Counter::kIsRate);
  if (exporting) {
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(exportPath)) / 1e6;
    std::filesystem::remove(exportPath);
  }
}

void BM_RunWithoutExport(benchmark::State& state) {
  runDry(state, false);
}
BENCHMARK(BM_RunWithoutExport)->Unit(benchmark::kMillisecond);

void BM_RunWithExport(benchmark::State& state) {
  runDry(state, true);
}
BENCHMARK(BM_RunWithExport)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
