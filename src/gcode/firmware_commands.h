#pragma once
// The texts of translated commands as each firmware takes them, and what they cost the estimate.
//
// "MT": a move is X,Y,Z,W; (MillingMove). "OT": a move is X,Y,0,W; with its trailing zero fields
// left out (OutlineMove), W left 0 when the firmware already holds that delay; the laser is
// switched by 0,0,1; and 0,0,-1;. Dwells and tool changes send nothing: the sender waits or asks.
// The board holds whatever delay the last job or run gave it, so a stream starts not knowing it:
// its first move always names its own.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gcode/program_translation.h"
#include "link/firmware_time.h"
#include "link/job_estimate.h"

namespace vexa::gcode {

// One per stream of commands, given each command once in the order the board gets them (a
// command passed over is not given): "OT" leaves out a delay the firmware holds from the
// command before.
class FirmwareCommands {
 public:
  explicit FirmwareCommands(Firmware firmware) : firmware_(firmware) {}

  // Empty for a dwell or a tool change.
  std::string text(const StepCommand& command);
  // Its bytes and the firmware's time for it; a dwell costs its pause, a tool change nothing
  // (the wait for the user is not the machine's).
  link::CommandCost cost(const StepCommand& command, const GcodeProgram& program);

 private:
  // The delay field sent for a move, and what the firmware then holds.
  std::int64_t delayField(const StepCommand& command);

  Firmware firmware_;
  static constexpr std::int64_t kUnknownDelay = -1;
  std::int64_t heldDelay_ = kUnknownDelay;
};

// Adds every command of the program to `estimate`, dwells and tool changes too, so that the
// estimate's count of commands done is the index of the command in the translation; then those
// `after` gives for the translation's totals (the way back to the start), which the firmware
// takes after the program's. The translation's refusal, with nothing added, when it refuses.
using CommandsAfter = std::function<std::vector<StepCommand>(const TranslationTotals&)>;
std::optional<GcodeError> FillEstimate(link::JobEstimate& estimate, const GcodeProgram& program,
                                       const TranslateSettings& settings,
                                       const CommandsAfter& after = {});

}  // namespace vexa::gcode
