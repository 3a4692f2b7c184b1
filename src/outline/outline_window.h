#pragma once
// Form5, "Обведение силуэтов и орнаментов": burns the outlines of silhouettes and ornaments
// with a laser the controller switches on before each contour and off after it ("Выделенная",
// "Все"), or fills the dark figures with outlines one spot apart ("Грав-ть всё").

#include <optional>

#include "figures/figure_window.h"
#include "link/outline_moves.h"
#include "outline/outline_job.h"
#include "outline/outline_numbers.h"
#include "outline/outline_plan.h"
#include "outline/outline_state.h"

namespace vexa::outline {

class OutlineWindow : public figures::FigureWindow {
  Q_OBJECT

 public:
  // Runs the firmware check for "OT" (a notice may appear), reads the window's settings and
  // loads the remembered picture.
  OutlineWindow(link::MachineLink& link, const link::MachineSettings& settings,
                std::filesystem::path programDir, QWidget* parent = nullptr);

  const OutlineState& state() const { return state_; }

 private:
  void OutlineSelected();
  void OutlineAll();
  void FillAll();
  // Runs `request` followed: estimate, progress, going on after a cut link.
  void runRequest(const OutlineRequest& request);
  std::vector<widgets::JobFollow::Plan> jobPlans() override;
  OutlineStart startState() const;
  void Gradient();
  void Offset();
  std::optional<OutlineNumbers> readNumbers(bool withDelay);
  OutlineParts partsFor(const OutlineNumbers& numbers);
  OutlineFieldTexts fieldTexts() const;
  std::unique_ptr<gcode::JobGcode> startGcode(const OutlineRequest& request);
  void moveByMm(const manual::AxisDistances& distances) override;

  OutlineState state_;
  link::PlaneScale scale_;  // fixed at each job's start: the fields are locked meanwhile
  link::OutlineMoves moves_;

  QLineEdit* diameterField_ = nullptr;     // Text3
  QLineEdit* delayField_ = nullptr;        // Text4
  QPushButton* selectedButton_ = nullptr;  // "Выделенная"
  QPushButton* allButton_ = nullptr;       // "Все"
  QPushButton* fillButton_ = nullptr;      // "Грав-ть всё"
  QPushButton* gradientButton_ = nullptr;  // "Градиент"
  QPushButton* offsetButton_ = nullptr;    // "Отступить"
};

}  // namespace vexa::outline
