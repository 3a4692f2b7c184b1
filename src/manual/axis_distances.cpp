#include "manual/axis_distances.h"

#include "settings/settings.h"

namespace vexa::manual {

std::optional<AxisDistances> ReadAxisDistances(const std::string& x, const std::string& y,
                                               const std::string& z, link::Prompts& prompts) {
  static const char* const kAxisNames[] = {"1-ой", "2-ой", "3-ей"};
  const std::string* texts[] = {&x, &y, &z};
  double values[3] = {};
  for (int axis = 0; axis < 3; ++axis) {
    const std::optional<double> value = settings::ParseDecimal(*texts[axis]);
    if (!value) {
      prompts.message(link::kErrorCaption, std::string("Введите число в поле для перемещения по ") +
                                               kAxisNames[axis] + " оси!");
      return std::nullopt;
    }
    values[axis] = *value;
  }
  return AxisDistances{values[0], values[1], values[2]};
}

}  // namespace vexa::manual
