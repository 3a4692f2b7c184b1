#include "widgets/job_progress_widget.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa::widgets {

namespace {

constexpr int kProgressSteps = 1000;

}  // namespace

std::string PlanningText() { return "Оценка: считается…"; }

JobProgressWidget::JobProgressWidget(Names names, const QString& goOnTip, QWidget* parent)
    : QWidget(parent) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  continueButton_ = new QPushButton(QStringLiteral("Продолжить"), this);
  continueButton_->setObjectName(names.goOn);
  continueButton_->setToolTip(goOnTip);
  continueButton_->setEnabled(false);  // only after a cut link has come back
  column->addWidget(continueButton_);
  label_ = new QLabel(QString::fromStdString(link::NoEstimateText()), this);
  label_->setObjectName(names.estimate);
  column->addWidget(label_);
  bar_ = new QProgressBar(this);
  bar_->setObjectName(names.bar);
  bar_->setRange(0, kProgressSteps);
  bar_->setValue(0);
  column->addWidget(bar_);
}

void JobProgressWidget::showText(const std::string& text) {
  label_->setText(QString::fromStdString(text));
}

void JobProgressWidget::showEstimate(const std::optional<link::JobEstimate>& estimate) {
  showText(estimate ? link::EstimateText(*estimate) : link::NoEstimateText());
}

void JobProgressWidget::showPlanning() { showText(PlanningText()); }

void JobProgressWidget::startRun() { bar_->setValue(0); }

void JobProgressWidget::showProgress(const link::ProgressReport& report) {
  bar_->setValue(static_cast<int>(report.fraction * kProgressSteps));
  showText(link::RemainingText(report.remainingSeconds));
}

}  // namespace vexa::widgets
