#include "figures/aspect_side.h"

#include <cstdint>
#include <limits>

#include "link/nearest.h"
#include "settings/settings.h"

namespace vexa::figures {

std::optional<std::string> AspectSide(std::string_view sideText, int along, int across) {
  if (across < 1) return std::nullopt;
  const std::optional<double> side = settings::ParseDecimal(sideText);
  if (!side) return std::nullopt;
  const double product = link::Nearest(*side * along);
  if (!(product >= std::numeric_limits<std::int32_t>::min() &&
        product <= std::numeric_limits<std::int32_t>::max())) {
    return std::nullopt;
  }
  return std::to_string(static_cast<std::int64_t>(product) / across);
}

}  // namespace vexa::figures
