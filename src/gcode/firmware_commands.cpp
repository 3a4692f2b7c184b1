#include "gcode/firmware_commands.h"

#include <cstdlib>

#include "link/commands.h"

namespace vexa::gcode {

namespace {

constexpr std::int64_t kLaserOnValue = 1;
constexpr std::int64_t kLaserOffValue = -1;

}  // namespace

std::int64_t FirmwareCommands::delayField(const StepCommand& command) {
  if (firmware_ == Firmware::Milling) return command.delay;
  if (command.delay == heldDelay_) return 0;
  heldDelay_ = command.delay;
  return command.delay;
}

std::string FirmwareCommands::text(const StepCommand& command) {
  switch (command.kind) {
    case CommandKind::Move:
      if (firmware_ == Firmware::Milling) {
        return link::MillingMove(command.x, command.y, command.z, delayField(command));
      }
      return link::OutlineMove(command.x, command.y, 0, delayField(command));
    case CommandKind::LaserOn:
      return link::OutlineMove(0, 0, kLaserOnValue, 0);
    case CommandKind::LaserOff:
      return link::OutlineMove(0, 0, kLaserOffValue, 0);
    case CommandKind::Dwell:
    case CommandKind::ToolChange:
      break;
  }
  return {};
}

link::CommandCost FirmwareCommands::cost(const StepCommand& command, const GcodeProgram& program) {
  link::CommandCost cost;
  switch (command.kind) {
    case CommandKind::Move: {
      cost.stepsX = std::abs(command.x);
      cost.stepsY = std::abs(command.y);
      cost.stepsZ = std::abs(command.z);
      if (firmware_ == Firmware::Milling) {
        cost.bytes = link::CommandLength({command.x, command.y, command.z, command.delay});
        cost.firmwareMicros =
            link::MillingMoveMicros(command.x, command.y, command.z, command.delay);
      } else {
        const std::int64_t delay = delayField(command);
        std::int64_t held = heldDelay_;
        cost.bytes = link::OutlineMoveLength(command.x, command.y, 0, delay);
        cost.firmwareMicros = link::OutlineMoveMicros(command.x, command.y, delay, held);
      }
      break;
    }
    case CommandKind::LaserOn:
      cost.bytes = link::OutlineMoveLength(0, 0, kLaserOnValue, 0);
      break;
    case CommandKind::LaserOff:
      cost.bytes = link::OutlineMoveLength(0, 0, kLaserOffValue, 0);
      break;
    case CommandKind::Dwell:
      if (command.pause >= 0 && static_cast<std::size_t>(command.pause) < program.pauses.size()) {
        cost.firmwareMicros = static_cast<std::int64_t>(
            program.pauses[static_cast<std::size_t>(command.pause)].seconds * 1e6);
      }
      break;
    case CommandKind::ToolChange:
      break;
  }
  return cost;
}

std::optional<GcodeError> FillEstimate(link::JobEstimate& estimate, const GcodeProgram& program,
                                       const TranslateSettings& settings,
                                       const CommandsAfter& after) {
  FirmwareCommands costs(settings.firmware);
  TranslationTotals totals;
  if (auto refused = TranslateProgram(
          program, settings,
          [&](const StepCommand& command) { estimate.add(costs.cost(command, program)); },
          totals)) {
    return refused;
  }
  if (after) {
    for (const StepCommand& command : after(totals)) estimate.add(costs.cost(command, program));
  }
  return std::nullopt;
}

}  // namespace vexa::gcode
