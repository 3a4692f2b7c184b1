// What following a job costs: the time to plan each window's estimate on a 2000 x 2000
// picture (the gepard photograph, thresholded for the figure jobs), and the share the progress
// and the journal of confirmed commands add to a dry run ("Гравировать" cleared, no machine) of
// the outline window's "Все", whose dry run has no pause per move (the hooks are the same
// JobStream::take in every window's step move, so its per-command cost holds for all).

#include <benchmark/benchmark.h>

#include <atomic>

#include "bench_pictures.h"
#include "bench_qt_main.h"
#include "cutting/cutting_plan.h"
#include "figures/parse_figures.h"
#include "link/job_stream.h"
#include "link/machine_link.h"
#include "link/qt_event_pump.h"
#include "milling/milling_plan.h"
#include "outline/outline_job.h"
#include "outline/outline_plan.h"
#include "shut_port.h"
#include "support/recording_prompts.h"

namespace {

using vexa::picture::PixelBuffer;

using vexa::bench::Drawing;

struct Machine {
  vexa::bench::ShutPort port;
  vexa::link::QtEventPump pump;
  vexa::test::RecordingPrompts prompts;
  vexa::link::MachineLink link{port, pump, prompts};
  vexa::link::MachineSettings settings;
  vexa::link::TimeModel model{vexa::link::LinkPace{}, 9600, vexa::link::InFlight::One};
};

vexa::figures::FigureSnapshot Snapshot(const PixelBuffer& picture, bool parsed) {
  vexa::figures::FigureSnapshot snapshot{picture, picture, picture, {}};
  if (parsed) vexa::figures::ParseFigures(snapshot.working, snapshot.figures);
  return snapshot;
}

// Arguments: 0 "Все", 1 "Резать 3D" (the photograph's gray levels: the relief).
void BM_PlanMilling(benchmark::State& state) {
  Machine machine;
  const bool relief = state.range(0) == 1;
  const PixelBuffer& picture = relief ? vexa::bench::Photograph(2000, 2000) : Drawing();
  const vexa::milling::MillingStart start{Snapshot(picture, !relief), {}, {}};
  vexa::milling::MillingRequest request{
      relief ? vexa::milling::MillingJobKind::Relief : vexa::milling::MillingJobKind::All, 0, {}};
  request.numbers.widthMm = 200;
  request.numbers.diameterMm = 1;  // 10 pixels
  const std::atomic<bool> never{false};
  std::int64_t commands = 0;
  for (auto _ : state) {
    commands = vexa::milling::PlanMilling(request, start, false, machine.settings, machine.link,
                                          machine.model, never)
                   .commands();
  }
  state.counters["commands"] = double(commands);
}
BENCHMARK(BM_PlanMilling)->Arg(0)->Arg(1)->ArgName("relief")->Unit(benchmark::kMillisecond)
    ->UseRealTime()->Iterations(1);

// Arguments: 0 "Все", 1 "Грав-ть всё".
void BM_PlanOutline(benchmark::State& state) {
  Machine machine;
  const bool fill = state.range(0) == 1;
  const vexa::outline::OutlineStart start{Snapshot(Drawing(), !fill), {}, {}};
  vexa::outline::OutlineRequest request{
      fill ? vexa::outline::OutlineJobKind::Fill : vexa::outline::OutlineJobKind::All, 0, {}};
  request.numbers.widthMm = 200;
  request.numbers.diameterMm = 0.4;  // 4 pixels
  const std::atomic<bool> never{false};
  std::int64_t commands = 0;
  for (auto _ : state) {
    commands = vexa::outline::PlanOutline(request, start, false, machine.settings, machine.link,
                                          machine.model, never)
                   .commands();
  }
  state.counters["commands"] = double(commands);
}
BENCHMARK(BM_PlanOutline)->Arg(0)->Arg(1)->ArgName("fill")->Unit(benchmark::kMillisecond)
    ->UseRealTime()->Iterations(1);

void BM_PlanCutting(benchmark::State& state) {
  Machine machine;
  // The drawing's edges as the lines to cut.
  const vexa::cutting::CuttingStart start{Snapshot(Drawing(), false), {}};
  const std::atomic<bool> never{false};
  std::int64_t commands = 0;
  for (auto _ : state) {
    commands = vexa::cutting::PlanCutting({200, 1000}, start, false, machine.settings, machine.link,
                                          machine.model, never)
                   .commands();
  }
  state.counters["commands"] = double(commands);
}
BENCHMARK(BM_PlanCutting)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The outline window's "Все" as a dry run: 0 unfollowed, 1 with progress and journal.
void BM_DryRunFollowed(benchmark::State& state) {
  Machine machine;
  const PixelBuffer& drawing = Drawing();
  vexa::figures::FigureData parsed;
  PixelBuffer working = drawing;
  vexa::figures::ParseFigures(working, parsed);
  const std::atomic<bool> never{false};
  const vexa::outline::OutlineStart start{Snapshot(drawing, true), {}, {}};
  vexa::outline::OutlineRequest request{vexa::outline::OutlineJobKind::All, 0, {}};
  request.numbers.widthMm = 200;
  request.numbers.diameterMm = 0.4;
  const vexa::link::JobEstimate estimate = vexa::outline::PlanOutline(
      request, start, false, machine.settings, machine.link, machine.model, never);
  vexa::link::OutlineMoves moves(
      vexa::link::MotionContext(machine.link, machine.settings, [] { return false; }),
      [&] { return vexa::link::PlaneScale{200, drawing.width()}; },
      vexa::link::OutlineMoves::WhenIdle::Continue);
  vexa::outline::OutlineState outlineState;
  for (auto _ : state) {
    state.PauseTiming();
    PixelBuffer tool = drawing;
    vexa::figures::FigureData figures = parsed;
    std::optional<vexa::link::JobProgress> progress;
    vexa::link::ConfirmedCommands journal;
    journal.begin(moves.record.replyBuffer);
    if (state.range(0) == 1) progress.emplace(estimate, [](const auto&) {});
    vexa::link::JobStream stream = vexa::link::JobStream::Running(
        0, progress ? &*progress : nullptr, progress ? &journal : nullptr);
    moves.stream = state.range(0) == 1 ? &stream : nullptr;
    vexa::outline::OutlineParts parts{moves, machine.settings, figures, tool, outlineState,
                                      1000,  2.0,              {},      {},   {},
                                      {}};
    state.ResumeTiming();
    vexa::outline::OutlineJob(parts).OutlineAll();
  }
  state.counters["commands"] = double(estimate.commands());
}
BENCHMARK(BM_DryRunFollowed)->Arg(0)->Arg(1)->ArgName("followed")->Unit(benchmark::kMillisecond)
    ->UseRealTime()->Iterations(5);

}  // namespace

VEXA_QT_BENCHMARK_MAIN()
