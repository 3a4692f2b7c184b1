#pragma once
// Form13, "Выполнение G-кода": a CAM program's G-code file read, shown (its path in top view and
// its text), estimated and run on a machine with the milling ("MT") or the switched laser ("OT")
// firmware, with Stop, progress, time left and going on after a cut link. With "Выполнять"
// cleared the path is followed at full speed without the machine.

#include <QElapsedTimer>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "gcode/gcode_program.h"
#include "gcode/program_translation.h"
#include "gcode_run/gcode_sender.h"
#include "link/job_state.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/paced_pump.h"
#include "widgets/qt_job_follow.h"
#include "widgets/qt_job_guard.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace vexa::widgets {
class JobProgressWidget;
class MachineStatusWidget;
}  // namespace vexa::widgets

namespace vexa::gcode_run {

class GcodePathView;

class GcodeWindow : public QWidget {
  Q_OBJECT

 public:
  GcodeWindow(link::MachineLink& link, const link::MachineSettings& settings,
              std::filesystem::path programDir, QWidget* parent = nullptr);

  // Reads `path` as "..." does once a file is chosen: true when the window now holds it.
  bool openFile(const std::filesystem::path& path);
  bool hasProgram() const { return program_ != nullptr; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildPanels();
  void chooseFile();
  void showProgram(const std::string& text);
  gcode::Firmware firmware() const;
  gcode::TranslateSettings translateSettings() const;
  std::vector<widgets::JobFollow::Plan> jobPlans();
  void runProgram();
  widgets::JobFollow::Run followedRun();
  void follow(const gcode::StepCommand& command, const StepPlace& place);
  void showLine(std::uint32_t line);
  bool mayGoOn() const;
  void goOn();
  void updateContinue();
  void watch();

  link::MachineLink& link_;
  const link::MachineSettings& settings_;
  std::filesystem::path programDir_;
  link::JobState job_;
  widgets::QtJobGuard guard_;

  std::shared_ptr<const gcode::GcodeProgram> program_;
  std::unique_ptr<GcodeSender> sender_;
  std::optional<link::PacedPump> pacedPump_;
  QElapsedTimer sinceShown_;  // the run's place is shown a few times a second
  std::string tag_;           // the firmware that answered the check ("MT", "OT"), or empty
  std::vector<double> watchedSettings_;  // what the estimate was last planned with

  QLineEdit* pathField_ = nullptr;
  QPushButton* openButton_ = nullptr;
  QLabel* infoLabel_ = nullptr;
  QComboBox* firmwareBox_ = nullptr;
  QCheckBox* sendBox_ = nullptr;
  QCheckBox* returnBox_ = nullptr;
  QPushButton* runButton_ = nullptr;
  QPushButton* stopButton_ = nullptr;
  widgets::JobProgressWidget* progressPanel_ = nullptr;
  widgets::MachineStatusWidget* status_ = nullptr;
  widgets::JobFollow* follow_ = nullptr;
  GcodePathView* pathView_ = nullptr;
  QPlainTextEdit* textView_ = nullptr;
  QTimer* watchTimer_ = nullptr;
};

}  // namespace vexa::gcode_run
