#include "manual/manual_positioning_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "manual/move_by_mm_widget.h"
#include "widgets/qt_millimetre_key_filter.h"

namespace vexa::manual {

namespace {

constexpr const char* kStepKey = "hand_step";

QString noLinkText() {
  return QStringLiteral("Нет связи с Com-портом\r\nПроверьте соединение с Ардуино");
}

void addLegend(QGroupBox* box, QGridLayout* grid, int firstRow) {
  static const char* const kLegend[][2] = {
      {"стрелка влево", "ось X влево"}, {"стрелка вправо", "ось X вправо"},
      {"стрелка вверх", "ось Y от"},    {"стрелка вниз", "ось Y на"},
      {"буква Q", "ось Z вверх"},       {"буква A", "ось Z вниз"}};
  int row = firstRow;
  for (const auto& line : kLegend) {
    grid->addWidget(new QLabel(QString::fromUtf8(line[0]), box), row, 0);
    grid->addWidget(new QLabel(QString::fromUtf8(line[1]), box), row, 1);
    ++row;
  }
}

}  // namespace

std::optional<JogKey> JogKeyOf(int qtKey, const QString& text) {
  switch (qtKey) {
    case Qt::Key_Left:
      return JogKey::Left;
    case Qt::Key_Right:
      return JogKey::Right;
    case Qt::Key_Up:
      return JogKey::Up;
    case Qt::Key_Down:
      return JogKey::Down;
    case Qt::Key_Q:
      return JogKey::ZUp;
    case Qt::Key_A:
      return JogKey::ZDown;
  }
  // The Russian layout puts Й and Ф on the Q and A keys.
  const QString letter = text.toUpper();
  if (letter == QStringLiteral("Й") || letter == QStringLiteral("Q")) return JogKey::ZUp;
  if (letter == QStringLiteral("Ф") || letter == QStringLiteral("A")) return JogKey::ZDown;
  return std::nullopt;
}

ManualPositioningDialog::ManualPositioningDialog(link::MachineLink& link,
                                                 const link::MachineSettings& settings,
                                                 const settings::SettingsFile& settingsFile,
                                                 QWidget* parent)
    : QDialog(parent),
      link_(link),
      settings_(settings),
      settingsFile_(settingsFile),
      moves_(link::MotionContext(link, settings)) {
  setObjectName("Form6");
  setWindowTitle(QStringLiteral("Установка положения"));
  auto* layout = new QVBoxLayout(this);

  auto* keys = new QGroupBox(QStringLiteral("Перемещение клавишами"), this);
  auto* keyGrid = new QGridLayout(keys);
  jogSwitch_ = new QPushButton(QStringLiteral("Поехали"), keys);
  jogSwitch_->setObjectName("Label1");
  keyGrid->addWidget(jogSwitch_, 0, 0, 1, 2);
  stepField_ = new QLineEdit(QStringLiteral("1"), keys);
  stepField_->setObjectName("Text4");
  widgets::ApplyMillimetreKeyFilter(stepField_);
  keyGrid->addWidget(stepField_, 1, 0);
  keyGrid->addWidget(new QLabel(QStringLiteral(" мм на одно нажатие клавиши"), keys), 1, 1);
  addLegend(keys, keyGrid, 2);
  layout->addWidget(keys);

  auto* axes = new QGroupBox(QStringLiteral("Перемещение по осям в мм"), this);
  auto* axisForm = new QGridLayout(axes);
  static const char* const kDistanceNames[] = {"Text1", "Text2", "Text3"};
  MakeDistanceFields(axes, distanceFields_, kDistanceNames);
  static const char* const kAxisNames[] = {"X", "Y", "Z"};
  for (int axis = 0; axis < 3; ++axis) {
    axisForm->addWidget(new QLabel(QString::fromUtf8(kAxisNames[axis]), axes), axis, 0);
    axisForm->addWidget(distanceFields_[axis], axis, 1);
  }
  moveButton_ = new QPushButton(QStringLiteral("Переместить"), axes);
  moveButton_->setObjectName("Command1");
  stopButton_ = new QPushButton(QStringLiteral("Стоп"), axes);
  stopButton_->setObjectName("Command2");
  axisForm->addWidget(moveButton_, 3, 0);
  axisForm->addWidget(stopButton_, 3, 1);
  layout->addWidget(axes);

  auto* position = new QGroupBox(QStringLiteral("Положение с открытия окна, мм"), this);
  position->setObjectName("positionBox");
  position->setToolTip(QString::fromUtf8(kPositionTip));
  auto* positionRow = new QHBoxLayout(position);
  static const char* const kPositionNames[] = {"positionX", "positionY", "positionZ"};
  for (int axis = 0; axis < 3; ++axis) {
    positionRow->addWidget(new QLabel(QString::fromUtf8(kAxisNames[axis]) + ":", position));
    positionLabels_[axis] = new QLabel(position);
    positionLabels_[axis]->setObjectName(kPositionNames[axis]);
    positionLabels_[axis]->setToolTip(QString::fromUtf8(kPositionTip));
    positionRow->addWidget(positionLabels_[axis], 1);
  }
  auto* zeroButton = new QPushButton(QStringLiteral("Обнулить"), position);
  zeroButton->setObjectName("zeroPosition");
  zeroButton->setToolTip(QStringLiteral("Считать нынешнее положение нулём"));
  positionRow->addWidget(zeroButton);
  layout->addWidget(position);
  showPosition();

  status_ = new widgets::MachineStatusWidget(QStringLiteral("Label8"), this);
  layout->addWidget(status_);

  connect(jogSwitch_, &QPushButton::clicked, this, &ManualPositioningDialog::toggleJogging);
  connect(moveButton_, &QPushButton::clicked, this, &ManualPositioningDialog::moveByFields);
  connect(stopButton_, &QPushButton::clicked, this, [this] { link_.StopRequested = true; });
  connect(zeroButton, &QPushButton::clicked, this, [this] {
    position_.zero();
    showPosition();
  });

  const link::GateResult gate =
      status_->runStartupCheck(link_, link::TagRule{""}, {moveButton_, stopButton_});
  if (gate.controlsOn) moves_.arm(gate.tag[0]);
  stepField_->setText(QString::fromStdString(settingsFile_.ReadSetting(kStepKey, "1")));

  // Keys reach the window before its controls, as long as it lives.
  qApp->installEventFilter(this);
}

ManualPositioningDialog::~ManualPositioningDialog() { qApp->removeEventFilter(this); }

bool ManualPositioningDialog::jogging() const { return !stepField_->isEnabled(); }

void ManualPositioningDialog::toggleJogging() {
  if (!status_->portOpen()) {
    link_.prompts().message(link::kErrorCaption, noLinkText().toStdString());
    return;
  }
  const bool turnOn = !jogging();
  if (turnOn && !settings::ParseDecimal(stepField_->text().toStdString())) {
    // Every key press would fail on it; say so once instead.
    link_.prompts().message(link::kErrorCaption, kStepNotNumberText);
    return;
  }
  if (turnOn) link_.StopRequested = false;
  for (QWidget* control : {static_cast<QWidget*>(stepField_),
                           static_cast<QWidget*>(moveButton_),
                           static_cast<QWidget*>(stopButton_)}) {
    control->setEnabled(!turnOn);
  }
  for (QLineEdit* field : distanceFields_) field->setEnabled(!turnOn);
  jogSwitch_->setText(turnOn ? QStringLiteral("Стоп") : QStringLiteral("Поехали"));
}

void ManualPositioningDialog::move(const AxisDistances& distances) {
  try {
    MoveFollowed(moves_, link::MotionContext(link_, settings_), position_, distances.x,
                 distances.y, distances.z);
  } catch (const link::LinkAbort&) {
    // The message has been shown; this move is over and the window stays open.
  }
  showPosition();
  if (closeWanted_) done(*std::exchange(closeWanted_, std::nullopt));
}

void ManualPositioningDialog::showPosition() {
  const double mm[] = {position_.xMm(settings_), position_.yMm(settings_), position_.zMm(settings_)};
  for (int axis = 0; axis < 3; ++axis) {
    positionLabels_[axis]->setText(QString::fromStdString(PositionText(mm[axis])));
  }
}

void ManualPositioningDialog::moveByFields() {
  const std::optional<AxisDistances> distances = ReadAxisDistances(
      distanceFields_[0]->text().toStdString(), distanceFields_[1]->text().toStdString(),
      distanceFields_[2]->text().toStdString(), link_.prompts());
  if (distances) move(*distances);
}

void ManualPositioningDialog::jog(JogKey key) {
  // The step field is locked while jogging and was checked when jogging began.
  const std::optional<double> step = settings::ParseDecimal(stepField_->text().toStdString());
  if (step) move(JogMove(key, *step));
}

bool ManualPositioningDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !jogging()) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || (widget != this && !isAncestorOf(widget))) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const std::optional<JogKey> jogKey = JogKeyOf(key->key(), key->text());
  if (!jogKey) return false;
  jog(*jogKey);
  return true;
}

void ManualPositioningDialog::done(int result) {
  if (moves_.moving()) {
    // Closed while a move waits for its reply: the window closes once the move is over. Like
    // "Стоп", closing raises the stop flag, so closing again (or "Стоп" then closing) while the
    // reply is still missing ends the wait at once.
    closeWanted_ = result;
    link_.StopRequested = true;
    return;
  }
  settingsFile_.WriteSetting(kStepKey, stepField_->text().toStdString());
  QDialog::done(result);
}

}  // namespace vexa::manual
