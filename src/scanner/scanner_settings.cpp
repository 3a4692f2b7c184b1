#include "scanner/scanner_settings.h"

#include <variant>

#include "scanner/picture_size.h"
#include "settings/settings_keys.h"

namespace vexa::scanner {

namespace {

constexpr const char* kMeshWidthKey = "scanner_mesh_width";
constexpr const char* kMeshHeightKey = "scanner_mesh_height";
constexpr const char* kAreaWidthKey = "scanner_area_width";
constexpr const char* kPictureWidthKey = "scanner_picture_width";
constexpr const char* kPictureHeightKey = "scanner_picture_height";

}  // namespace

bool IsMeshFieldText(std::string_view text) {
  if (text.empty() || text.size() > 3) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

ScannerSettings ReadScannerSettings(const settings::SettingsFile& file) {
  const settings::SettingsSnapshot stored = file.ReadSettings();  // one reading for all keys
  auto read = [&](const char* key) {
    return stored.ReadSetting(key, settings::BuiltinDefault(key, {}));
  };
  const ScannerSettings defaults;
  ScannerSettings fields;
  fields.meshWidth = read(kMeshWidthKey);
  if (!IsMeshFieldText(fields.meshWidth)) fields.meshWidth = defaults.meshWidth;
  fields.meshHeight = read(kMeshHeightKey);
  if (!IsMeshFieldText(fields.meshHeight)) fields.meshHeight = defaults.meshHeight;
  fields.areaWidth = read(kAreaWidthKey);
  if (!settings::ParseDecimal(fields.areaWidth)) fields.areaWidth = defaults.areaWidth;
  fields.pictureWidth = read(kPictureWidthKey);
  fields.pictureHeight = read(kPictureHeightKey);
  if (!std::holds_alternative<PictureSize>(
          ReadPictureSize(fields.pictureWidth, defaults.pictureHeight))) {
    fields.pictureWidth = defaults.pictureWidth;
  }
  if (!std::holds_alternative<PictureSize>(
          ReadPictureSize(fields.pictureWidth, fields.pictureHeight))) {
    fields.pictureHeight = defaults.pictureHeight;
  }
  return fields;
}

void WriteScannerSettings(const settings::SettingsFile& file, const ScannerSettings& fields) {
  // One replace of the file; a failed write is told of once per run.
  file.WriteSettings({{kMeshWidthKey, fields.meshWidth},
                      {kMeshHeightKey, fields.meshHeight},
                      {kPictureWidthKey, fields.pictureWidth},
                      {kPictureHeightKey, fields.pictureHeight},
                      {kAreaWidthKey, fields.areaWidth}});
}

}  // namespace vexa::scanner
