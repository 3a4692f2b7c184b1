#pragma once
// The scanner window's cnc.ini keys.

#include "settings/settings.h"

namespace vexa::scanner {

// The field texts as stored.
struct ScannerSettings {
  std::string meshWidth = "6";        // Text3, scanner_mesh_width
  std::string meshHeight = "5";       // Text4, scanner_mesh_height
  std::string areaWidth = "100";      // Text8, scanner_area_width
  std::string pictureWidth = "200";   // Text6, scanner_picture_width
  std::string pictureHeight = "200";  // Text7, scanner_picture_height
};

// Read when the window opens. An absent or empty key takes its default, and so does a value the
// field could not hold or the window could not use (a hand-edited "abc", a mesh of 5000 points,
// a picture beyond the limits), so the window always opens with a box it can draw.
ScannerSettings ReadScannerSettings(const settings::SettingsFile& file);
// Written when the window closes, as the fields stand.
void WriteScannerSettings(const settings::SettingsFile& file, const ScannerSettings& fields);

// True for what a mesh field holds: one to three digits.
bool IsMeshFieldText(std::string_view text);

}  // namespace vexa::scanner
