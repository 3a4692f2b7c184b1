#include "gcode/gcode_options.h"

#include <cmath>
#include <optional>

#include "settings/number_checks.h"

namespace vexa::gcode {

Dialect ReadDialect(const settings::SettingsSnapshot& ini) {
  return ini.ReadSetting(kDialectKey, "vexa") == "standard" ? Dialect::Standard : Dialect::Vexa;
}

StandardOptions ReadStandardOptions(const settings::SettingsSnapshot& ini) {
  StandardOptions options;
  const std::optional<double> sMax = settings::PositiveNumber(ini.ReadSetting(kSMaxKey, "1000"));
  if (sMax && *sMax >= 1 && *sMax <= 100000) options.sMax = std::llround(*sMax);
  const std::optional<double> safeZ =
      settings::NonNegativeNumber(ini.ReadSetting(kSafeZKey, "2"));
  if (safeZ && *safeZ <= 1000) options.safeZ = *safeZ;
  return options;
}

}  // namespace vexa::gcode
