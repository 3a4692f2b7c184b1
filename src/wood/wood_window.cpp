#include "wood/wood_window.h"

#include <QLineEdit>

#include "wood/wood_job.h"

namespace vexa::wood {

WoodWindow::WoodWindow(link::MachineLink& link, const link::MachineSettings& settings,
                       std::filesystem::path programDir, QWidget* parent)
    : EngravingWindow(link, settings, std::move(programDir),
                      {"Form8", raster::WoodKeys(), false, QStringLiteral("Ширина:"),
                       QStringLiteral("Высота:")},
                      parent) {
  setWindowTitle(QStringLiteral("Гравировка нитью по дереву"));
  blackDwellField_->setToolTip(
      QStringLiteral("Максимальная здержка между шагами при выжигании в микросекундах"));
  openWith("BT");
}

void WoodWindow::applyMode(raster::RunParts& parts) const {
  UseWoodRules(parts);
}

void WoodWindow::runEngraving(raster::RunParts parts) {
  WoodJob(std::move(parts), raster_);
}

raster::DwellFieldNames WoodWindow::dwellNames() const {
  return {"задержки для чёрного", ""};
}

}  // namespace vexa::wood
