#include "link/step_count.h"

#include <cmath>
#include <limits>

#include "link/job_stream.h"
#include "link/machine_link.h"

namespace vexa::link {

namespace {

[[noreturn]] void refuse(MachineLink& link) {
  link.prompts().message(kErrorCaption, StepRangeText());
  throw LinkAbort();
}

}  // namespace

const char* StepRangeText() {
  return "Перемещение выходит за допустимый диапазон шагов двигателя.\r\n"
         "Проверьте размеры и настройки станка. Работа остановлена.";
}

bool FitsStepRange(double value) {
  const double rounded = Nearest(value);
  return rounded >= std::numeric_limits<std::int32_t>::min() &&
         rounded <= std::numeric_limits<std::int32_t>::max();  // false for NaN
}

bool PictureExtentFits(double widthMm, int pictureWidth, int pictureHeight,
                       const MachineSettings& settings) {
  if (pictureWidth < 1 || pictureHeight < 1) return true;
  const double heightMm = widthMm * pictureHeight / pictureWidth;
  return FitsStepRange(widthMm / std::abs(settings.SM_X_ratio)) &&
         FitsStepRange(heightMm / std::abs(settings.SM_Y_ratio));
}

std::int32_t ToStepCount(double value, MachineLink& link) {
  if (!FitsStepRange(value)) refuse(link);
  return static_cast<std::int32_t>(Nearest(value));
}

std::optional<AxisTarget> TryAdvance(double exact, std::int32_t sent, double delta) {
  const double target = exact + delta;
  if (!FitsStepRange(target - sent)) return std::nullopt;
  const auto steps = static_cast<std::int32_t>(Nearest(target - sent));
  const std::int64_t total = std::int64_t{sent} + steps;
  if (total < std::numeric_limits<std::int32_t>::min() ||
      total > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return AxisTarget{target, static_cast<std::int32_t>(total), steps};
}

AxisTarget Advance(double exact, std::int32_t sent, double delta, MachineLink& link) {
  const auto target = TryAdvance(exact, sent, delta);
  if (!target) refuse(link);
  return *target;
}

AxisTarget AdvanceOrRefuse(double exact, std::int32_t sent, double delta, MachineLink& link,
                           bool planning) {
  if (!planning) return Advance(exact, sent, delta, link);
  const auto target = TryAdvance(exact, sent, delta);
  if (!target) throw PlanRefused();
  return *target;
}

std::int32_t ToStepCount(std::int64_t value, MachineLink& link) {
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    refuse(link);
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace vexa::link
