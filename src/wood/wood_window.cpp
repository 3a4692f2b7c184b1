#include "wood/wood_window.h"

#include <QLineEdit>
#include <QPushButton>

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
  connect(engraveButton_, &QPushButton::clicked, this, &WoodWindow::WoodJob);
  openWith("BT");
}

void WoodWindow::WoodJob() {
  runJob([this] {
    if (auto parts = gatherRun({"задержки для чёрного", ""})) {
      wood::WoodJob(std::move(*parts), raster_);
    }
  });
}

}  // namespace vexa::wood
