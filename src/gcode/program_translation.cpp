#include "gcode/program_translation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "gcode/message_texts.h"
#include "gcode/step_line.h"
#include "link/nearest.h"

namespace vexa::gcode {

namespace {

constexpr std::int64_t kMostSteps = std::numeric_limits<std::int32_t>::max();

std::array<double, 3> InSteps(const Segment& segment, const Calibration& mm) {
  return {segment.x / mm.x, segment.y / mm.y, segment.z / mm.z};
}

// A position the motors can be sent to: its nearest step a signed 32-bit count (false for the
// infinities a ratio of 0 gives).
bool Reachable(double steps) {
  return std::abs(steps) <= static_cast<double>(kMostSteps);
}

class Emitter {
 public:
  Emitter(const std::function<void(const StepCommand&)>& take, TranslationTotals& totals)
      : take_(take), totals_(totals) {}

  void operator()(const StepCommand& command) {
    ++totals_.commands;
    if (command.kind == CommandKind::Move) {
      ++totals_.moves;
      totals_.stepsX += std::abs(command.x);
      totals_.stepsY += std::abs(command.y);
      totals_.stepsZ += std::abs(command.z);
      totals_.endX += command.x;
      totals_.endY += command.y;
      totals_.endZ += command.z;
    }
    take_(command);
  }

 private:
  const std::function<void(const StepCommand&)>& take_;
  TranslationTotals& totals_;
};

std::int32_t ClampedDelay(double micros) {
  if (!(micros >= 1)) return 1;
  if (micros >= static_cast<double>(kMostSteps)) return static_cast<std::int32_t>(kMostSteps);
  return static_cast<std::int32_t>(link::Nearest(micros));
}

// D = microseconds the command's length takes at the feed / its steps, for the last few shapes
// of steps asked for.
class DelayOf {
 public:
  std::int32_t operator()(const StepCommand& c, const Calibration& mm, double microsPerMm) {
    for (const Kept& k : kept_) {
      if (k.x == c.x && k.y == c.y && k.z == c.z) return k.delay;
    }
    const double dx = c.x * mm.x, dy = c.y * mm.y, dz = c.z * mm.z;
    const double steps = std::abs(static_cast<double>(c.x)) + std::abs(c.y) + std::abs(c.z);
    const std::int32_t delay =
        ClampedDelay(microsPerMm * std::sqrt(dx * dx + dy * dy + dz * dz) / steps);
    kept_[next_] = {c.x, c.y, c.z, delay};
    next_ = (next_ + 1) % kept_.size();
    return delay;
  }

 private:
  struct Kept {
    std::int32_t x = 0, y = 0, z = 0, delay = 0;  // no command is 0, 0, 0
  };
  std::array<Kept, 4> kept_{};
  std::size_t next_ = 0;
};

}  // namespace

std::optional<GcodeError> CheckTranslation(const GcodeProgram& program,
                                           const TranslateSettings& settings) {
  std::array<double, 3> from{0, 0, 0};
  double z = 0;
  for (const Segment& segment : program.segments) {
    if (settings.firmware == Firmware::Laser && segment.z != z) {
      return LineError(segment.line,
                       "перемещение по Z, а лазерная прошивка (OT) двигает только X и Y. Уберите "
                       "Z из файла или выполните его на фрезерном станке.");
    }
    z = segment.z;
    if (segment.work && !(segment.feed > 0)) {
      return LineError(segment.line, "рабочее перемещение без подачи F.");
    }
    const std::array<double, 3> to = InSteps(segment, settings.mm);
    for (int a = 0; a < 3; ++a) {
      if (!Reachable(to[a]) || std::llabs(NearestStep(to[a]) - NearestStep(from[a])) > kMostSteps) {
        return LineError(segment.line,
                         "перемещение выходит за допустимый диапазон шагов двигателя. Проверьте "
                         "размеры в файле и настройки станка.");
      }
    }
    from = to;
  }
  return std::nullopt;
}

std::optional<Firmware> FirmwareOfTag(std::string_view tag) {
  if (tag == "MT") return Firmware::Milling;
  if (tag == "OT") return Firmware::Laser;
  return std::nullopt;
}

std::optional<GcodeError> TranslateProgram(const GcodeProgram& program,
                                           const TranslateSettings& settings,
                                           const std::function<void(const StepCommand&)>& take,
                                           TranslationTotals& totals) {
  totals = {};
  if (auto refused = CheckTranslation(program, settings)) return refused;
  Emitter emit(take, totals);
  const Calibration& mm = settings.mm;
  const bool laser = settings.firmware == Firmware::Laser;
  const std::int32_t travelDelay = ClampedDelay(settings.travelDelay);
  bool on = false;
  const auto switchLaser = [&](bool want, std::uint32_t line, bool work) {
    if (!laser || want == on) return;
    on = want;
    StepCommand command;
    command.kind = want ? CommandKind::LaserOn : CommandKind::LaserOff;
    command.line = line;
    command.work = work;
    emit(command);
  };
  std::size_t nextPause = 0;
  const auto pausesBefore = [&](std::size_t segment) {
    for (; nextPause < program.pauses.size() && program.pauses[nextPause].beforeSegment <= segment;
         ++nextPause) {
      const Pause& pause = program.pauses[nextPause];
      StepCommand command;
      command.kind = pause.kind == PauseKind::Dwell ? CommandKind::Dwell : CommandKind::ToolChange;
      if (command.kind == CommandKind::ToolChange) switchLaser(false, pause.line, false);
      command.pause = static_cast<std::int32_t>(nextPause);
      command.line = pause.line;
      emit(command);
    }
  };

  std::array<double, 3> from{0, 0, 0};
  StepPoint at{0, 0, 0};
  for (std::size_t s = 0; s < program.segments.size(); ++s) {
    const Segment& segment = program.segments[s];
    pausesBefore(s);
    switchLaser(segment.work && segment.laser, segment.line, segment.work);
    const std::array<double, 3> to = InSteps(segment, mm);
    // Microseconds a millimetre takes at the feed.
    const double microsPerMm = segment.work ? 60'000'000.0 / segment.feed : 0;
    // A segment's commands mostly repeat a few shapes of steps: each shape's delay is kept.
    DelayOf delayOf;
    StepLine line(from, to);
    StepPoint end;
    while (line.next(end)) {
      StepCommand command;
      command.x = static_cast<std::int32_t>(end[0] - at[0]);
      command.y = static_cast<std::int32_t>(end[1] - at[1]);
      command.z = static_cast<std::int32_t>(end[2] - at[2]);
      command.line = segment.line;
      command.work = segment.work;
      command.delay = segment.work ? delayOf(command, mm, microsPerMm) : travelDelay;
      emit(command);
      at = end;
    }
    from = to;
  }
  pausesBefore(program.segments.size());
  switchLaser(false, program.segments.empty() ? program.lines : program.segments.back().line,
              false);
  return std::nullopt;
}

Translation TranslateProgram(const GcodeProgram& program, const TranslateSettings& settings) {
  Translation out;
  out.error = TranslateProgram(
      program, settings, [&](const StepCommand& command) { out.commands.push_back(command); },
      out.totals);
  return out;
}

}  // namespace vexa::gcode
