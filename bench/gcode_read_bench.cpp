// Reading a CAM program of a million lines, and reading it and translating it into the milling
// firmware's step commands at the default calibration (0.005 mm a step). The file is made in
// memory as a 2.5D CAM writes one: short G1 moves and corner arcs (G2/G3 with I J) at three
// decimals, now and then a plunge, a retract and a travel. lines_per_s is the figure to report;
// commands_per_line says how finely the straight-line rule cuts the moves.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>

#include "bench_gcode.h"
#include "gcode/firmware_commands.h"
#include "gcode/gcode_program.h"
#include "gcode/program_translation.h"

namespace {

using namespace vexa;
using bench::CamProgram;
using bench::kLines;

void Report(benchmark::State& state, const gcode::GcodeProgram& program) {
  const double lines = static_cast<double>(program.lines);
  state.counters["lines"] = lines;
  state.counters["segments"] = static_cast<double>(program.segments.size());
  state.counters["segment_MB"] =
      static_cast<double>(program.segments.capacity() * sizeof(gcode::Segment)) / 1e6;
  state.counters["lines_per_s"] = benchmark::Counter(
      lines * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_Read(benchmark::State& state) {
  const std::string& text = CamProgram();
  gcode::GcodeRead read;
  for (auto _ : state) {
    read = gcode::ReadGcodeProgram(text);
    benchmark::DoNotOptimize(read.program.segments.data());
  }
  if (read.error) state.SkipWithError(read.error->message.c_str());
  Report(state, read.program);
}
BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond)->Iterations(3);

void ReportCommands(benchmark::State& state, const gcode::GcodeProgram& program,
                    std::int64_t commands) {
  Report(state, program);
  state.counters["commands"] = static_cast<double>(commands);
  state.counters["commands_per_line"] =
      static_cast<double>(commands) / static_cast<double>(program.lines);
  state.counters["commands_per_s"] =
      benchmark::Counter(static_cast<double>(commands) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

const gcode::TranslateSettings kSettings =
    gcode::TranslateSettings::Of(link::MachineSettings{}, gcode::Firmware::Milling);

// The commands go one at a time to a sender that only counts them; none is kept.
void BM_ReadAndTranslate(benchmark::State& state) {
  const std::string& text = CamProgram();
  gcode::GcodeRead read;
  gcode::TranslationTotals totals;
  for (auto _ : state) {
    read = gcode::ReadGcodeProgram(text);
    std::int64_t steps = 0;
    const auto refused = gcode::TranslateProgram(
        read.program, kSettings, [&](const gcode::StepCommand& c) { steps += c.x; }, totals);
    if (refused) return state.SkipWithError(refused->message.c_str());
    benchmark::DoNotOptimize(steps);
  }
  ReportCommands(state, read.program, totals.commands);
}
BENCHMARK(BM_ReadAndTranslate)->Unit(benchmark::kMillisecond)->Iterations(2);

// The same into the estimate, as a window plans a run (JobEstimate with the link's time model).
void BM_ReadTranslateEstimate(benchmark::State& state) {
  const std::string& text = CamProgram();
  const link::TimeModel model(link::LinkPace{}, 115200, link::InFlight::One);
  gcode::GcodeRead read;
  std::int64_t commands = 0;
  for (auto _ : state) {
    read = gcode::ReadGcodeProgram(text);
    link::JobEstimate estimate(model);
    const auto refused = gcode::FillEstimate(estimate, read.program, kSettings);
    if (refused) return state.SkipWithError(refused->message.c_str());
    commands = estimate.commands();
  }
  ReportCommands(state, read.program, commands);
}
BENCHMARK(BM_ReadTranslateEstimate)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
