#include "manual/commanded_position.h"

#include <cmath>

#include "settings/settings.h"

namespace vexa::manual {

void CommandedPosition::add(const link::AxisSteps& steps) {
  steps_.x += steps.x;
  steps_.y += steps.y;
  steps_.z += steps.z;
}

double CommandedPosition::xMm(const link::MachineSettings& settings) const {
  return static_cast<double>(steps_.x) * settings.SM_X_ratio;
}

double CommandedPosition::yMm(const link::MachineSettings& settings) const {
  return static_cast<double>(steps_.y) * settings.SM_Y_ratio;
}

double CommandedPosition::zMm(const link::MachineSettings& settings) const {
  return static_cast<double>(steps_.z) * settings.SM_Z_ratio;
}

std::string PositionText(double mm) {
  // Rounded first, so 300 steps of 0,005 mm read "1,5", not the sum's last binary digits.
  const double micrometres = std::nearbyint(mm * 1000);
  return settings::FormatComma(micrometres == 0 ? 0.0 : micrometres / 1000);
}

namespace {

// The steps the command carried: only the milling layout (X,Y,Z,D) has a Z field; the others
// leave Z out, so the machine was not told to move it.
link::AxisSteps stepsSent(const link::ManualMoves& moves, const link::MotionContext& context,
                          double dx, double dy, double dz) {
  link::AxisSteps steps = context.toSteps(dx, dy, dz);
  if (moves.tagLetter() != 'M') steps.z = 0;
  return steps;
}

}  // namespace

void MoveFollowed(link::ManualMoves& moves, const link::MotionContext& context,
                  CommandedPosition& position, double dx, double dy, double dz) {
  const bool goesOut =
      moves.armed() && link::KnownManualLetter(moves.tagLetter()) && context.link().isOpen();
  try {
    moves.ArduinoMoveMM(dx, dy, dz);
  } catch (const link::LinkAbort& abort) {
    // Given up waiting: the wait began, so the command left whole (a cut write stops the move
    // before its wait).
    if (goesOut && abort.cause() == link::LinkAbort::Cause::Unanswered) {
      position.add(stepsSent(moves, context, dx, dy, dz));
    }
    throw;
  }
  // The distances were converted once already: they convert again without a refusal.
  if (goesOut) position.add(stepsSent(moves, context, dx, dy, dz));
}

}  // namespace vexa::manual
