#pragma once
// Where the manual window has sent the tool since it opened. The firmware reports no position,
// so this is the sum of the steps the controller was given, in millimetres through the axis
// ratios: what the machine was told, not what it measured.

#include <cstdint>
#include <string>

#include "link/machine_settings.h"
#include "link/manual_moves.h"
#include "link/motion_context.h"

namespace vexa::manual {

class CommandedPosition {
 public:
  void add(const link::AxisSteps& steps);
  // "Обнулить": the tool's place now counts as zero.
  void zero() { steps_ = {}; }

  // Millimetres along each axis: the steps times the axis ratio (mm per step).
  double xMm(const link::MachineSettings& settings) const;
  double yMm(const link::MachineSettings& settings) const;
  double zMm(const link::MachineSettings& settings) const;

 private:
  struct Steps {
    std::int64_t x = 0, y = 0, z = 0;
  } steps_;
};

// "1,5", "-0,005", "0": to the micrometre, decimal comma, no trailing zeros.
std::string PositionText(double mm);

// The manual window's move, followed: its steps are added to `position` once the controller
// has the command, that is when it answered, or when the command left whole and the user gave
// up waiting for the answer (the line is still open; the machine may be moving). A move turned
// away (a move already waiting, no firmware layout, the port shut, a distance out of range) or
// lost with the line adds nothing, and neither does Z where the firmware's layout has no Z
// field. The link abort goes on to the caller as ArduinoMoveMM's does.
void MoveFollowed(link::ManualMoves& moves, const link::MotionContext& context,
                  CommandedPosition& position, double dx, double dy, double dz);

}  // namespace vexa::manual
