#pragma once
// Form1, "Zorazad IDO": mills a picture figure by figure along the figures' contours, with a
// depth from the gray level under the cutter ("Выделенная", "Все").

#include <optional>

#include "figures/figure_window.h"
#include "link/milling_moves.h"
#include "milling/milling_job.h"
#include "milling/milling_numbers.h"
#include "milling/milling_plan.h"
#include "milling/milling_state.h"

namespace vexa::milling {

class MillingWindow : public figures::FigureWindow {
  Q_OBJECT

 public:
  // Runs the firmware check for "MT" (a notice may appear), reads the window's settings and
  // loads the remembered picture.
  MillingWindow(link::MachineLink& link, const link::MachineSettings& settings,
                std::filesystem::path programDir, QWidget* parent = nullptr);

  const MillingState& state() const { return state_; }
  const link::MillingMoves& moves() const { return moves_; }

 private:
  void MillSelected();
  void MillAll();
  void Mill3D();
  // Runs `request` followed: estimate, progress, going on after a cut link.
  void runRequest(const MillingRequest& request);
  std::vector<widgets::JobFollow::Plan> jobPlans() override;
  MillingStart startState() const;
  // "Градиент" and "Отступить": the working picture changes, the figure data are reset.
  void Gradient();
  void Offset();
  std::optional<CutterNumbers> cutterNumbers();
  // The fields' numbers, or nullopt after a message naming the bad field.
  std::optional<MillingNumbers> readNumbers();
  // A job's parts; the scale of its step moves is fixed here (the fields stay locked).
  MillingParts partsFor(const MillingNumbers& numbers);
  MillingFieldTexts fieldTexts() const;
  std::unique_ptr<gcode::JobGcode> startGcode(const MillingRequest& request);
  void moveByMm(const manual::AxisDistances& distances) override;

  MillingState state_;
  link::MillingScale scale_;  // fixed at each job's start: the fields are locked meanwhile
  link::MillingMoves moves_;

  QLineEdit* depthField_ = nullptr;        // Text1
  QLineEdit* diameterField_ = nullptr;     // Text3
  QLineEdit* delayField_ = nullptr;        // Text4
  QPushButton* selectedButton_ = nullptr;  // "Выделенная"
  QPushButton* allButton_ = nullptr;       // "Все"
  QPushButton* gradientButton_ = nullptr;  // "Градиент"
  QPushButton* offsetButton_ = nullptr;    // "Отступить"
  QPushButton* reliefButton_ = nullptr;    // "Резать 3D"
};

}  // namespace vexa::milling
