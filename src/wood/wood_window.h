#pragma once
// Form8: wood burning with a hot wire ("Гравировка нитью по дереву"), the reduced form of the
// laser window: no lower threshold, tone boxes, double pass or G-code.

#include "raster/engraving_window.h"

namespace vexa::wood {

class WoodWindow : public raster::EngravingWindow {
  Q_OBJECT

 public:
  // Runs the firmware check for "BT", reads the Etching1_ settings and loads and fits the
  // remembered picture.
  WoodWindow(link::MachineLink& link, const link::MachineSettings& settings,
             std::filesystem::path programDir, QWidget* parent = nullptr);

 protected:
  void applyMode(raster::RunParts& parts) const override;
  // "Гравировать" (Command1): WoodJob.
  void runEngraving(raster::RunParts parts) override;
  raster::DwellFieldNames dwellNames() const override;
};

}  // namespace vexa::wood
