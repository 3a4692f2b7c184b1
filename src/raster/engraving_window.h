#pragma once
// What the laser window (Form3) and the wood-burning window (Form8) share on the screen: the
// picture fitted to the spot diameter with its view, the file, settings, size and engraving
// panels, the status line with the firmware check, the step move and the job guard. The windows
// add their own fields and call their own job.

#include <QWidget>
#include <filesystem>
#include <limits>
#include <string>

#include "link/job_state.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/raster_moves.h"
#include "picture/raster_picture.h"
#include "picture/window_picture.h"
#include "raster/engraving_settings.h"
#include "raster/raster_run.h"
#include "raster/run_numbers.h"
#include "settings/settings.h"
#include "widgets/qt_job_guard.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vexa::widgets {
class MachineStatusWidget;
}
namespace vexa::picture {
class PictureView;
}

namespace vexa::raster {

class EngravingWindow : public QWidget {
  Q_OBJECT

 public:
  struct Design {
    QString formName;  // "Form3", "Form8"
    EngravingKeys keys;
    bool laser = true;  // Text3, "Настройка" with the tone boxes, "G-код", "Двойной проход"
    QString widthCaption;
    QString heightCaption;
  };

  bool jobRunning() const { return job_.running(); }
  picture::WindowPicture& picture() { return picture_; }
  const link::RasterMoves& moves() const { return moves_; }

 protected:
  // Builds the window; the loading flag is set until finishOpening().
  EngravingWindow(link::MachineLink& link, const link::MachineSettings& settings,
                  std::filesystem::path programDir, Design design, QWidget* parent);

  // The firmware check (Check1 off and cleared when it fails), then the settings into the fields,
  // then the picture: loaded, fitted, Text7 derived.
  void openWith(const std::string& tag);
  // The run's parts from the window, or nullopt after a message (no picture, a bad field).
  std::optional<RunParts> gatherRun(const DwellFieldNames& names);
  // Runs `job` through the guard with the picture's controls locked.
  void runJob(const std::function<void()>& job);

  void closeEvent(QCloseEvent* event) override;

  link::MachineLink& link_;
  const link::MachineSettings& settings_;
  std::filesystem::path programDir_;
  Design design_;
  settings::SettingsFile settingsFile_;
  picture::WindowPicture picture_;
  picture::RasterPicture raster_;
  // The scale of the step moves, fixed at each run's start.
  link::PlaneScale runScale_{std::numeric_limits<double>::quiet_NaN(), 0};
  link::RasterMoves moves_;
  link::JobState job_;
  widgets::QtJobGuard guard_;

  picture::PictureView* view_ = nullptr;
  QLineEdit* pathField_ = nullptr;        // Text1
  QPushButton* openButton_ = nullptr;     // Command2
  QGroupBox* toolPanel_ = nullptr;        // "Настройка лазера"
  QLabel* dwellLabel_ = nullptr;          // Label3
  QLineEdit* blackDwellField_ = nullptr;  // Text4
  QLineEdit* whiteDwellField_ = nullptr;  // Text3 (laser)
  QLineEdit* spotField_ = nullptr;        // Text5
  QLineEdit* widthField_ = nullptr;       // Text6
  QLineEdit* heightField_ = nullptr;      // Text7
  QGroupBox* settingsPanel_ = nullptr;    // "Настройка"
  QCheckBox* toneBox_ = nullptr;          // Check5 (laser)
  QCheckBox* invertBox_ = nullptr;        // Check6 (laser)
  QCheckBox* sendBox_ = nullptr;          // Check1
  QCheckBox* returnBox_ = nullptr;        // Check2
  QCheckBox* pixelRedrawBox_ = nullptr;   // Check3
  QCheckBox* exportBox_ = nullptr;        // Check4 (laser)
  QCheckBox* doublePassBox_ = nullptr;    // Check7 (laser)
  QPushButton* engraveButton_ = nullptr;  // Command1
  QPushButton* stopButton_ = nullptr;     // Command9
  widgets::MachineStatusWidget* status_ = nullptr;
  bool firmwareChecked_ = false;

 private:
  void buildPanels();
  EngravingSettings fieldSettings() const;
};

}  // namespace vexa::raster
