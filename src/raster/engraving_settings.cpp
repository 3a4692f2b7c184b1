#include "raster/engraving_settings.h"

#include "settings/settings_keys.h"

namespace vexa::raster {

std::string EngravingKeys::defaultOf(const std::string& name,
                                     const std::filesystem::path& programDir) const {
  return settings::BuiltinDefault(stem + "_" + name, programDir);
}

EngravingKeys LaserKeys(const std::string& prefix) {
  return {prefix, "Etching", true, true};
}

EngravingKeys WoodKeys() {
  return {"", "Etching1", false, false};
}

EngravingSettings ReadEngravingSettings(const settings::SettingsFile& file,
                                        const EngravingKeys& keys,
                                        const std::filesystem::path& programDir) {
  auto read = [&](const std::string& name) {
    return file.ReadSetting(keys.key(name), keys.defaultOf(name, programDir));
  };
  EngravingSettings settings;
  settings.delay = read("delay");
  if (keys.hasThreshold) settings.min = read("min");
  settings.image = read("image");
  settings.diameter = read("diameter");
  settings.width = read("width");
  if (keys.hasToneBoxes) {
    settings.pseudo = read("pseudo") == "1";
    settings.invert = read("invert") == "1";
  }
  return settings;
}

void WriteEngravingSettings(const settings::SettingsFile& file, const EngravingKeys& keys,
                            const EngravingSettings& settings) {
  // A failed write is not noticed: the value is simply not kept.
  file.WriteSetting(keys.key("width"), settings.width);
  file.WriteSetting(keys.key("delay"), settings.delay);
  if (keys.hasThreshold) file.WriteSetting(keys.key("min"), settings.min);
  file.WriteSetting(keys.key("diameter"), settings.diameter);
  if (keys.hasToneBoxes) {
    file.WriteSetting(keys.key("pseudo"), settings.pseudo ? "1" : "0");
    file.WriteSetting(keys.key("invert"), settings.invert ? "1" : "0");
  }
}

}  // namespace vexa::raster
