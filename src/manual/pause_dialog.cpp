#include "manual/pause_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "manual/cutter_lift.h"
#include "widgets/qt_millimetre_key_filter.h"

namespace vexa::manual {

namespace {
constexpr const char* kDepthKey = "mill_change_depth";

QPushButton* addButton(QWidget* parent, QLayout* layout, const char* name, const char* text) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(name);
  layout->addWidget(button);
  return button;
}
}  // namespace

PauseDialog::PauseDialog(link::MachineLink& link, const link::MachineSettings& settings,
                         const settings::SettingsFile& settingsFile, QWidget* parent)
    : QDialog(parent), link_(link), settings_(settings), settingsFile_(settingsFile) {
  setObjectName("Form7");
  setWindowTitle(QStringLiteral("Внимание"));
  auto* layout = new QVBoxLayout(this);
  auto* header = new QLabel(QStringLiteral("Гравировка остановлена, выберите действие"), this);
  header->setObjectName("Label1");
  layout->addWidget(header);

  auto* cutter = new QGroupBox(QStringLiteral("Фреза"), this);
  auto* cutterRows = new QVBoxLayout(cutter);
  auto* depthRow = new QHBoxLayout;
  depthRow->addWidget(new QLabel(QStringLiteral("Глубина:"), cutter));
  depth_ = new QLineEdit(QStringLiteral("10"), cutter);
  depth_->setObjectName("Text1");
  widgets::ApplyMillimetreKeyFilter(depth_);
  depthRow->addWidget(depth_);
  depthRow->addWidget(new QLabel(QStringLiteral("мм."), cutter));
  cutterRows->addLayout(depthRow);
  auto* liftRow = new QHBoxLayout;
  QPushButton* raise = addButton(cutter, liftRow, "Command1", "Поднять");
  QPushButton* lower = addButton(cutter, liftRow, "Command2", "Опустить");
  cutterRows->addLayout(liftRow);
  layout->addWidget(cutter);

  auto* job = new QGroupBox(QStringLiteral("Гравировка"), this);
  auto* jobRow = new QHBoxLayout(job);
  QPushButton* proceed = addButton(job, jobRow, "Command3", "Продолжить");
  QPushButton* stop = addButton(job, jobRow, "Command4", "Остановить");
  layout->addWidget(job);

  depth_->setText(QString::fromStdString(settingsFile_.ReadSetting(kDepthKey, "10")));
  connect(raise, &QPushButton::clicked, this, [this] { moveCutter(false); });
  connect(lower, &QPushButton::clicked, this, [this] { moveCutter(true); });
  connect(proceed, &QPushButton::clicked, this, [this] {
    answer_ = 1;
    accept();
  });
  connect(stop, &QPushButton::clicked, this, [this] {
    answer_ = 0;
    accept();
  });
}

void PauseDialog::moveCutter(bool lower) {
  if (moving_) return;  // a click while the cutter moves is not queued
  moving_ = true;
  try {
    LiftCutter(link_, settings_, replyBuffer_, depth_->text().toStdString(), lower);
  } catch (const link::LinkAbort& abort) {
    // A failed read ends this move; the dialog stays, and the user can still stop the job.
    // A reply given up on ends the job, as the message has said.
    if (abort.cause() == link::LinkAbort::Cause::Unanswered) answer_ = 0;
  }
  moving_ = false;
  if (closeWanted_) done(*std::exchange(closeWanted_, std::nullopt));
}

void PauseDialog::done(int result) {
  if (moving_) {
    // Closed while the cutter moves: the dialog closes once the move is over. Stopping, or the
    // close box, is a stop asked for again (the job is paused by one): the wait for a reply
    // that has not come ends at once.
    closeWanted_ = result;
    if (answer_ == 0 || result == QDialog::Rejected) link_.StopRequested = true;
    return;
  }
  settingsFile_.WriteSetting(kDepthKey, depth_->text().toStdString());
  QDialog::done(result);
}

int RunPauseDialog(link::MachineLink& link, const link::MachineSettings& settings,
                   const settings::SettingsFile& settingsFile, QWidget* parent) {
  PauseDialog dialog(link, settings, settingsFile, parent);
  dialog.exec();
  return dialog.answer();
}

}  // namespace vexa::manual
