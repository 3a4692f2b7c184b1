#include "raster/raster_window.h"

#include <QGroupBox>
#include <QLabel>

#include "raster/raster_job.h"

namespace vexa::raster {

namespace {

EngravingWindow::Design laserDesign(const RasterMode& mode) {
  return {"Form3", LaserKeys(mode.keyPrefix), true, QStringLiteral("Ширина, мм:"),
          QStringLiteral("Высота, мм:")};
}

}  // namespace

RasterWindow::RasterWindow(link::MachineLink& link, const link::MachineSettings& settings,
                           std::filesystem::path programDir, const std::string& context,
                           QWidget* parent)
    : EngravingWindow(link, settings, std::move(programDir), laserDesign(RasterModeFor(context)),
                      parent),
      mode_(RasterModeFor(context)) {
  setWindowTitle(QString::fromStdString(mode_.windowCaption));
  toolPanel_->setTitle(QString::fromStdString(mode_.settingsPanelCaption));
  dwellLabel_->setText(QString::fromStdString(mode_.dwellLabel));
  openWith("PT");
}

void RasterWindow::applyMode(RunParts& parts) const {
  UseLaserRules(parts);
}

void RasterWindow::runEngraving(RunParts parts) {
  RasterJob(std::move(parts));
}

DwellFieldNames RasterWindow::dwellNames() const {
  return {mode_.blackDwellName, mode_.whiteDwellName};
}

}  // namespace vexa::raster
