#include "settings/settings_keys.h"

#include <algorithm>
#include <array>

#include "settings/ini_line.h"
#include "settings/path_text.h"

namespace vexa::settings {

namespace {

constexpr std::array kSettingKeys = {
    SettingKey{"SM_X_ratio", "0.005"},
    SettingKey{"SM_Y_ratio", "0.005"},
    SettingKey{"SM_Z_ratio", "0.005"},
    SettingKey{"SM_delay", "2000"},
    SettingKey{"SM_optim", "0"},
    SettingKey{"Port", "com1"},
    SettingKey{"speed", "9600"},
    SettingKey{"check_ver", "0"},
    // "0" is what a present but empty check_prev reads as; an absent one reads "1973-01-01",
    // which ReadSetting supplies itself.
    SettingKey{"check_prev", "0"},
    SettingKey{"cncrez_width", "200"},
    SettingKey{"cncrez_depth", "10"},
    SettingKey{"mill_diameter", "3"},
    SettingKey{"SM_mill_delay", "4000"},
    SettingKey{"Image", "ornament.bmp", true},
    SettingKey{"scanner_picture_width", "200"},
    SettingKey{"scanner_picture_height", "200"},
    SettingKey{"scanner_area_width", "100"},
    SettingKey{"scanner_mesh_width", "6"},
    SettingKey{"scanner_mesh_height", "5"},
    SettingKey{"Etching_delay", "4000"},
    SettingKey{"Etching_min", "0"},
    SettingKey{"Etching_diameter", "0,2"},
    SettingKey{"Etching_width", "200"},
    SettingKey{"Etching_pseudo", "0"},
    SettingKey{"Etching_invert", "0"},
    SettingKey{"Etching_image", "gepard2.jpg", true},
    SettingKey{"Etching2_width", "200"},
    SettingKey{"Etching2_diameter", "2"},
    SettingKey{"Etching2_delay", "1000"},
    SettingKey{"Etching2_image", "ornament.bmp", true},
    SettingKey{"Etching1_width", "200"},
    SettingKey{"Etching1_delay", "4000"},
    SettingKey{"Etching1_diameter", "0,2"},
    SettingKey{"Etching1_image", "gepard2.jpg", true},
    SettingKey{"Etching9_width", "200"},
    SettingKey{"Etching9_delay", "1000"},
    SettingKey{"Etching9_image", "ornament.bmp", true},
    SettingKey{"hand_step", "1"},
    SettingKey{"mill_change_depth", "10"},
};

}  // namespace

std::span<const SettingKey> AllSettingKeys() {
  return kSettingKeys;
}

std::string BuiltinDefault(std::string_view key, const std::filesystem::path& programDir) {
  const auto found = std::ranges::find_if(
      kSettingKeys, [key](const SettingKey& entry) { return equalsIgnoringCase(entry.name, key); });
  if (found == kSettingKeys.end()) return {};
  if (found->isPicturePath) return PathToUtf8(programDir / found->builtinDefault);
  return std::string(found->builtinDefault);
}

std::string ImpactHeadKey(std::string_view rasterKey) {
  return "sh_" + std::string(rasterKey);
}

}  // namespace vexa::settings
