#pragma once
// A read G-code program as the firmware's step commands.
//
// Millimetres become steps through the calibration: every segment's end goes to the nearest
// whole step of its absolute position (absolute mm / mm per step), and the commands send the
// differences, so the fraction a step leaves over is carried to the next and no step is lost
// over a long file. Straight segments are cut by StepLine's rule (step_line.h).
//
// Delays: the firmware takes D microseconds a step, a command of N steps N x D (firmware_time.h).
// A work command of length L mm at the feed F mm/min must take 60 000 000 x L / F microseconds,
// so D = 60 000 000 x L / (F x N), L measured between the command's own ends through the
// calibration: the inverse of the writer's F = 60 000 000 x |mm per step| / D for a move along
// one axis. Clamped to 1..2147483647; travel (G0) goes at the travel delay SM_delay.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "gcode/gcode_options.h"
#include "gcode/gcode_program.h"
#include "link/machine_settings.h"

namespace vexa::gcode {

enum class Firmware {
  Milling,  // "MT": X,Y,Z,W; with the delay
  Laser,    // "OT": X,Y,L,W; the laser switched on and off, no Z
};

// "MT" and "OT"; nothing for the other tags (the raster firmwares burn by dwell per step).
std::optional<Firmware> FirmwareOfTag(std::string_view tag);

struct TranslateSettings {
  Calibration mm;          // mm per step, signs included
  int travelDelay = 2000;  // SM_delay
  Firmware firmware = Firmware::Milling;
  static TranslateSettings Of(const link::MachineSettings& machine, Firmware firmware) {
    return {Calibration::Of(machine), machine.SM_delay, firmware};
  }
};

enum class CommandKind : std::uint8_t { Move, LaserOn, LaserOff, Dwell, ToolChange };

struct StepCommand {
  std::int32_t x = 0, y = 0, z = 0;  // relative steps (moves)
  std::int32_t delay = 0;            // microseconds a step (moves)
  std::int32_t pause = -1;           // Dwell, ToolChange: its index in the program's pauses
  std::uint32_t line = 0;            // the line of the file it comes from
  CommandKind kind = CommandKind::Move;
  bool work = false;  // a G1/G2/G3 move, or the laser switched for one

  bool operator==(const StepCommand&) const = default;
};

struct TranslationTotals {
  std::int64_t commands = 0;  // of every kind
  std::int64_t moves = 0;
  std::int64_t stepsX = 0, stepsY = 0, stepsZ = 0;  // magnitudes
  std::int64_t endX = 0, endY = 0, endZ = 0;        // where the moves end, in steps
};

struct Translation {
  std::vector<StepCommand> commands;
  TranslationTotals totals;
  std::optional<GcodeError> error;  // set: nothing is to be sent, `commands` is empty
};

// What the translation would refuse, found without translating: a move beyond the motor's step
// range, a Z move for "OT", a work move without a feed.
std::optional<GcodeError> CheckTranslation(const GcodeProgram& program,
                                           const TranslateSettings& settings);

// The whole list: for files of moderate size. A file of a million lines can make a hundred
// million commands; the form below hands them over one at a time instead.
Translation TranslateProgram(const GcodeProgram& program, const TranslateSettings& settings);

// Checks the whole program first (the step range, Z for "OT", a feed for every work move), and
// gives `take` nothing when it refuses; then gives every command in order.
std::optional<GcodeError> TranslateProgram(const GcodeProgram& program,
                                           const TranslateSettings& settings,
                                           const std::function<void(const StepCommand&)>& take,
                                           TranslationTotals& totals);

}  // namespace vexa::gcode
