#pragma once
// Form3: laser raster engraving ("Гравирование лазером"), and in impact-head mode (the main
// window's context "shock_head") the impact-head engraver with its own captions and "sh_" keys.

#include "raster/engraving_window.h"
#include "raster/raster_mode.h"

namespace vexa::raster {

class RasterWindow : public EngravingWindow {
  Q_OBJECT

 public:
  // Runs the firmware check for "PT" (a notice may appear), reads the mode's settings and loads
  // and fits the remembered picture.
  RasterWindow(link::MachineLink& link, const link::MachineSettings& settings,
               std::filesystem::path programDir, const std::string& context,
               QWidget* parent = nullptr);

  const RasterMode& mode() const { return mode_; }

 protected:
  void applyMode(RunParts& parts) const override;
  // "Гравировать" (Command1): RasterJob.
  void runEngraving(RunParts parts) override;
  DwellFieldNames dwellNames() const override;

 private:
  RasterMode mode_;
};

}  // namespace vexa::raster
