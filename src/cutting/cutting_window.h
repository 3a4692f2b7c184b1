#pragma once
// Form9, "Резка/гравировка по рисунку": "Обработать" turns the picture into thin black lines
// (the preparation chain, neuro.bmp), "Резать" follows those lines stroke by stroke with the
// laser. The six operations of the chain also have buttons of their own on the panel Frame6,
// which is hidden, as is the working picture's view Pict1 with it.

#include <functional>
#include <optional>

#include "cutting/operation_display.h"
#include "cutting/processing_chain.h"
#include "cutting/cutting_numbers.h"
#include "figures/figure_window.h"
#include "link/outline_moves.h"
#include "link/paced_pump.h"

class QLabel;
class QProgressBar;

namespace vexa::cutting {

class CuttingWindow : public figures::FigureWindow {
  Q_OBJECT

 public:
  // Runs the firmware check for "OT" (a notice may appear), reads the window's settings and
  // loads the remembered picture.
  CuttingWindow(link::MachineLink& link, const link::MachineSettings& settings,
                std::filesystem::path programDir, QWidget* parent = nullptr);

  const link::OutlineMoves& moves() const { return moves_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ProcessPicture();
  void CutByPicture();
  std::vector<widgets::JobFollow::Plan> jobPlans() override;
  std::optional<CuttingNumbers> quietNumbers() const;
  // Runs `work` (the chain, the cut, or one operation from its button on Frame6) as the window's
  // job; a close during it abandons it, shortage of memory is said.
  void runWork(const std::function<void()>& work);
  void moveByMm(const manual::AxisDistances& distances) override;
  // Lets events through every few milliseconds; abandons the work once the window is closing.
  void keepAlive();

  CuttingPictures pictures();
  OperationDisplay display_;

  link::PlaneScale scale_;  // fixed at each job's start: the fields are locked meanwhile
  link::OutlineMoves moves_;
  bool closing_ = false;                      // the window was closed while its job ran
  std::optional<link::PacedPump> pacedPump_;  // made afresh for each job

  QLineEdit* delayField_ = nullptr;       // Text4
  QPushButton* processButton_ = nullptr;  // "Обработать"
  QPushButton* cutButton_ = nullptr;      // "Резать"
  QWidget* operationsPanel_ = nullptr;    // Frame6
  QList<QWidget*> operationButtons_;
  QLabel* statusLabel_ = nullptr;        // Label7
  QProgressBar* progressBar_ = nullptr;  // ProgressBar1
};

}  // namespace vexa::cutting
