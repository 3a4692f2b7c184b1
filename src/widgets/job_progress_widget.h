#pragma once
// What every operation window shows of its jobs: the estimate before the start, a progress bar
// and the time left during a run, and "Продолжить" for a job a cut link interrupted.

#include <QString>
#include <QWidget>
#include <optional>
#include <string>

#include "link/job_estimate.h"
#include "link/job_progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vexa::widgets {

class JobProgressWidget : public QWidget {
  Q_OBJECT

 public:
  // Object names of the parts: the raster windows keep "Label9", "ProgressBar1", "Command10".
  struct Names {
    const char* estimate;
    const char* bar;
    const char* goOn;
  };
  JobProgressWidget(Names names, const QString& goOnTip, QWidget* parent);

  // The label's text: an estimate, several, or "Оценка: —".
  void showText(const std::string& text);
  void showEstimate(const std::optional<link::JobEstimate>& estimate);
  // A plan is being worked out in the background.
  void showPlanning();
  // A run starts: the bar back to nothing.
  void startRun();
  void showProgress(const link::ProgressReport& report);

  QPushButton* continueButton() const { return continueButton_; }
  QLabel* label() const { return label_; }
  QProgressBar* bar() const { return bar_; }

 private:
  QLabel* label_;
  QProgressBar* bar_;
  QPushButton* continueButton_;
};

// "Оценка: считается…".
std::string PlanningText();

}  // namespace vexa::widgets
