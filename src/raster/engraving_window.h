#pragma once
// What the laser window (Form3) and the wood-burning window (Form8) share on the screen: the
// picture fitted to the spot diameter with its view, the file, settings, size and engraving
// panels, the status line with the firmware check, the step move and the job guard. The windows
// add their own fields and call their own job.

#include <QWidget>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <variant>

#include "link/job_state.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/raster_moves.h"
#include "picture/raster_picture.h"
#include "picture/window_picture.h"
#include "raster/engraving_settings.h"
#include "raster/interrupted_run.h"
#include "raster/raster_run.h"
#include "raster/run_numbers.h"
#include "settings/settings.h"
#include "widgets/qt_job_guard.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace vexa::widgets {
class JobProgressWidget;
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
  // The estimate the window shows (Label9), counted from its present fields; nullopt when the
  // fields or the picture give none.
  const std::optional<link::JobEstimate>& estimate() const { return estimate_; }
  // The run a cut link interrupted, which "Продолжить" (Command10) can finish.
  const std::optional<InterruptedRun>& interruptedRun() const { return interrupted_; }

 protected:
  // Builds the window; the loading flag is set until finishOpening().
  EngravingWindow(link::MachineLink& link, const link::MachineSettings& settings,
                  std::filesystem::path programDir, Design design, QWidget* parent);

  // The firmware check (Check1 off and cleared when it fails), then the settings into the fields,
  // then the picture: loaded, fitted, Text7 derived.
  void openWith(const std::string& tag);
  // The window's mode: how its run is set up (raster::UseLaserRules, wood::UseWoodRules), how
  // it runs, and how its messages name the dwell fields.
  virtual void applyMode(RunParts& parts) const = 0;
  virtual void runEngraving(RunParts parts) = 0;
  virtual DwellFieldNames dwellNames() const = 0;

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
  // The estimate (Label9), the progress (ProgressBar1) and "Продолжить" (Command10).
  widgets::JobProgressWidget* progressPanel_ = nullptr;
  QPushButton* continueButton_ = nullptr;  // the panel's "Продолжить"
  widgets::MachineStatusWidget* status_ = nullptr;
  bool firmwareChecked_ = false;

 private:
  // Inputs of the estimate that change elsewhere (the settings window, the connection check).
  struct EstimateKey {
    double xRatio, yRatio;
    int delay, speed;
    double latency;
    int width, height;
    bool operator==(const EstimateKey&) const = default;
  };

  void buildPanels();
  EngravingSettings fieldSettings() const;
  // "Гравировать" (Command1) and "Продолжить" (Command10).
  void engrave();
  void goOn();
  // Runs `job` through the guard with the picture's controls locked.
  link::JobState::Outcome runJob(const std::function<void()>& job);
  // Runs `parts` with progress shown and the journal kept; a cut link leaves interrupted_.
  void runWatched(RunParts parts, InterruptedRun started);
  // The fields' numbers, or the message naming the field that holds none.
  std::variant<RunNumbers, std::string> readNumbers(const DwellFieldNames& names) const;
  RunParts partsWith(const RunNumbers& numbers);
  // The run's parts from the window, or nullopt after a message (no picture, a bad field).
  std::optional<RunParts> gatherRun();
  std::optional<link::JobEstimate> estimateOf(const RunParts& parts) const;
  EstimateKey estimateKey() const;
  void scheduleEstimate();
  void refreshEstimate();
  // Once a second: the estimate's outside inputs, and whether a cut link has come back.
  void watch();
  void watchLinkBack();
  bool mayGoOn() const;
  void updateContinue();

  std::string tag_;
  std::optional<link::JobEstimate> estimate_;
  std::optional<EstimateKey> estimatedWith_;
  QTimer* estimateTimer_ = nullptr;
  QTimer* watchTimer_ = nullptr;
  RunJournal journal_;
  std::optional<InterruptedRun> interrupted_;
  bool linkBack_ = false;  // the interrupted run's link has come back with the right firmware
};

}  // namespace vexa::raster
