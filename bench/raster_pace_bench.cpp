// The estimate against the clock: laser and wood runs of a 16 x 8 gray picture at 10 motor
// steps per pixel through the real serial backend to `vexa-sim --pace`, which answers each move
// only after its steps would take on the machine. The link's round trip is measured first, as
// "Проверить соединение" does. Reported: the estimate, the run's wall time and their ratio
// (1.00 = exact; the acceptance bound is 0.90 to 1.10).

#include <benchmark/benchmark.h>

#include <chrono>

#include "bench_qt_main.h"

#include "link/link_pace.h"
#include "picture/pixel_buffer.h"
#include "raster/raster_job.h"
#include "raster/run_estimate.h"
#include "support/sim_link.h"
#include "wood/wood_job.h"

namespace {

using namespace vexa;

// Levels from a fixed generator, about a quarter of them white.
picture::PixelBuffer pacedPicture() {
  picture::PixelBuffer p(16, 8);
  std::uint32_t seed = 777;
  for (int y = 1; y <= p.height(); ++y) {
    for (int x = 1; x <= p.width(); ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int level = static_cast<int>(seed >> 24);
      p.setGray(x, y, static_cast<std::uint8_t>(level > 190 ? 255 : level));
    }
  }
  return p;
}

// Argument: 0 laser, 1 wood.
void BM_PacedRun(benchmark::State& state) {
  const bool wood = state.range(0) != 0;
  test::SimLink sim({"--tag", wood ? "BT" : "PT", "--pace"});
  sim.link.DrainReplies();
  const std::string tag = sim.link.QueryFirmware();
  link::MeasureLinkPace(sim.link, tag);

  picture::PixelBuffer bitmap = pacedPicture();
  const double widthMm = bitmap.width() * 10 * sim.machine.SM_X_ratio;  // 10 steps per pixel
  link::RasterMoves moves(link::MotionContext(sim.link, sim.machine, [] { return true; }),
                          [&] { return link::PlaneScale{widthMm, bitmap.width()}; });
  raster::RunParts parts{sim.link,
                         moves,
                         sim.machine,
                         bitmap,
                         {},
                         {},
                         raster::RunBoxes{[] { return true; }, [] { return false; },
                                          [] { return true; }, [] { return false; }},
                         raster::RunNumbers{4000, 500, widthMm, widthMm / 2},
                         raster::RunRules{},
                         std::nullopt};
  if (wood) {
    wood::UseWoodRules(parts);
  } else {
    raster::UseLaserRules(parts);
  }
  const auto estimate =
      raster::EstimateRun(bitmap, parts.numbers, parts.rules, sim.machine, {false, true},
                          raster::RasterTimeModel(sim.link.pace, sim.link.speed));
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    raster::RasterRun(parts).run();
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const double estimated = static_cast<double>(estimate->nanos()) / 1e9;
  state.counters["commands"] = static_cast<double>(estimate->commands());
  state.counters["round_trip_ms"] = sim.link.pace.roundTripMicros / 1e3;
  state.counters["estimate_s"] = estimated;
  state.counters["run_s"] = seconds;
  state.counters["run_over_estimate"] = seconds / estimated;
}
BENCHMARK(BM_PacedRun)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("wood")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

VEXA_QT_BENCHMARK_MAIN()
