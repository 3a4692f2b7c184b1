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

#include "gcode/firmware_commands.h"
#include "gcode/gcode_program.h"
#include "gcode/program_translation.h"

namespace {

using namespace vexa;

constexpr int kLines = 1'000'000;

double Written(double mm) {
  return std::round(mm * 1000) / 1000;
}

const std::string& CamProgram() {
  static const std::string text = [] {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> unit(0, 1);
    std::string out = "%\n(bench pocket)\nG90 G17\nG21\nG0 X150 Y150 Z5\nG1 Z-1 F300\nF1200\n";
    out.reserve(static_cast<std::size_t>(kLines) * 28);
    double x = 150, y = 150, heading = 0;
    char line[128];
    int lines = 6;
    while (lines < kLines) {
      const double pick = unit(random);
      // Keep the path over a 300 mm square: turn back towards its middle near the edges.
      if (std::hypot(x - 150, y - 150) > 120) heading = std::atan2(150 - y, 150 - x);
      if (pick < 0.70) {
        const double length = 0.2 + 1.8 * unit(random);
        heading += (unit(random) - 0.5) * 0.6;
        const double nx = Written(x + length * std::cos(heading));
        const double ny = Written(y + length * std::sin(heading));
        std::snprintf(line, sizeof line, "G1 X%.3f Y%.3f\n", nx, ny);
        x = nx;
        y = ny;
      } else if (pick < 0.97) {
        const double r = 1 + 4 * unit(random);
        const bool clockwise = unit(random) < 0.5;
        const double turn = (0.2 + 1.4 * unit(random)) * (clockwise ? -1 : 1);
        // The centre square to the heading, on the side the arc turns to.
        const double side = heading + (clockwise ? -1 : 1) * std::numbers::pi / 2;
        const double cx = Written(x + r * std::cos(side)), cy = Written(y + r * std::sin(side));
        const double start = std::atan2(y - cy, x - cx);
        const double radius = std::hypot(x - cx, y - cy);
        const double nx = Written(cx + radius * std::cos(start + turn));
        const double ny = Written(cy + radius * std::sin(start + turn));
        std::snprintf(line, sizeof line, "G%d X%.3f Y%.3f I%.3f J%.3f\n", clockwise ? 2 : 3, nx, ny,
                      cx - x, cy - y);
        heading += turn;
        x = nx;
        y = ny;
      } else if (pick < 0.99) {
        std::snprintf(line, sizeof line, "G0 Z5\nG0 X%.3f Y%.3f\nG1 Z-1 F300\nG1 F1200\n", x, y);
        lines += 3;
      } else {
        std::snprintf(line, sizeof line, "G1 X%.3f Y%.3f F%d\n", x, y, 600 + 100 * (lines % 7));
      }
      out += line;
      ++lines;
    }
    out += "G0 Z5\nM30\n%\n";
    return out;
  }();
  return text;
}

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
