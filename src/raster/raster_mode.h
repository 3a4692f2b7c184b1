#pragma once
// The laser window's two modes: the laser, and the impact head (menu "Ударная головка"), which
// has its own captions and its own copy of every setting under the prefix "sh_".

#include <string>
#include <string_view>

namespace vexa::raster {

// The main window's context for the raster window that selects the impact head.
inline constexpr const char* kImpactHeadContext = "shock_head";

struct RasterMode {
  bool impactHead = false;
  std::string windowCaption;
  std::string settingsPanelCaption;
  std::string dwellLabel;  // Label3, over Text4 and Text3
  // How messages name Text4 and Text3 ("Введите в поле ... число").
  std::string blackDwellName;
  std::string whiteDwellName;
  // "sh_" or nothing, put before every key the window reads or writes.
  std::string keyPrefix;
};

// Impact-head mode for "shock_head", laser mode for anything else.
RasterMode RasterModeFor(std::string_view context);

}  // namespace vexa::raster
