#pragma once
// Conversions of millimetres and scaled pixels to motor steps. Steps travel as signed 32-bit
// numbers; a move beyond that range is refused rather than sent wrapped.

#include <cstdint>
#include <optional>

#include "link/machine_settings.h"
#include "link/nearest.h"

namespace vexa::link {

class MachineLink;

// Nearest(value) as a step count. A value outside signed 32-bit (or not a number, as after a
// division by a zero ratio) shows a message and raises the link abort.
std::int32_t ToStepCount(double value, MachineLink& link);
std::int32_t ToStepCount(std::int64_t value, MachineLink& link);

// Whether nearest(value) is a step count the firmware takes; false for NaN and infinities.
bool FitsStepRange(double value);

// Whether a picture `pictureWidth` x `pictureHeight` pixels shown `widthMm` wide spans a number
// of motor steps along X and Y that fits: a job's moves over the picture then stay in range, so
// a job can be refused before its first command instead of halfway. No picture spans nothing.
bool PictureExtentFits(double widthMm, int pictureWidth, int pictureHeight,
                       const MachineSettings& settings);

// The message of a job refused for that, naming the width field.
inline constexpr const char* kWidthRangeText =
    "Изображение такой ширины выходит за допустимый диапазон шагов двигателя.\r\n"
    "Введите в поле ширины меньшее число или проверьте настройки станка!";

// The text of ToStepCount's message.
const char* StepRangeText();

// One axis of an accumulating step move: the exact position asked for and the steps sent so
// far once the move is made, and the steps to send for it.
struct AxisTarget {
  double exact = 0;
  std::int32_t sent = 0;
  std::int32_t steps = 0;
  void keep(double& exactKept, std::int32_t& sentKept) const {
    exactKept = exact;
    sentKept = sent;
  }
};

// Moves the exact position by `delta` steps and sends the rounded difference to what was sent.
// Refused as ToStepCount refuses, before anything is kept.
AxisTarget Advance(double exact, std::int32_t sent, double delta, MachineLink& link);
// The same without a word: nullopt where Advance would refuse.
std::optional<AxisTarget> TryAdvance(double exact, std::int32_t sent, double delta);
// Advance, or for a job being planned (no messages) TryAdvance that raises PlanRefused.
AxisTarget AdvanceOrRefuse(double exact, std::int32_t sent, double delta, MachineLink& link,
                           bool planning);

}  // namespace vexa::link
