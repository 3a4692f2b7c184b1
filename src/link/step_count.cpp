#include "link/step_count.h"

#include <limits>

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

std::int32_t ToStepCount(double value, MachineLink& link) {
  const double rounded = Nearest(value);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    refuse(link);  // also catches NaN
  }
  return static_cast<std::int32_t>(rounded);
}

AxisTarget Advance(double exact, std::int32_t sent, double delta, MachineLink& link) {
  const double target = exact + delta;
  const std::int32_t steps = ToStepCount(target - sent, link);
  return {target, ToStepCount(std::int64_t{sent} + steps, link), steps};
}

std::int32_t ToStepCount(std::int64_t value, MachineLink& link) {
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    refuse(link);
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace vexa::link
