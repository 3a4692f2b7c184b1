#include "app/settings_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/connection_check.h"
#include "app/main_window.h"
#include "app/qt_open_error_text.h"
#include "app/qt_port_list.h"
#include "emulator/demo_mode.h"
#include "gcode/gcode_options.h"
#include "link/link_pace.h"

namespace vexa::app {

namespace {

constexpr const char* kOptimExplanation =
    "\"Оптимизация\" означает режим, при котором следующая команда посылается не дожидаясь "
    "окончания текущей. Даёт выигрыш в скорости. На некоторых Arduino ведёт себя "
    "непредсказуемо.";

QLabel* label(const char* text, const char* objectName, QWidget* parent) {
  auto* shown = new QLabel(QString::fromUtf8(text), parent);
  shown->setObjectName(objectName);
  return shown;
}

QComboBox* editableList(const char* objectName, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(objectName);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);  // typed text is used, not added to the list
  return list;
}

}  // namespace

SettingsWindow::SettingsWindow(MainWindow& main, QWidget* parent) : QWidget(parent), main_(main) {
  setObjectName("Form4");
  setWindowTitle(QStringLiteral("Настройка и калибровка"));
  auto* layout = new QVBoxLayout(this);

  auto* ratios =
      new QGroupBox(QStringLiteral("Перемещение в мм, соответствующее одному шагу ШД"), this);
  ratios->setObjectName("Frame1");
  auto* ratioGrid = new QGridLayout(ratios);
  static const char* const kAxes[][3] = {
      {"X:", "Label1", "Text1"}, {"Y:", "Label2", "Text2"}, {"Z:", "Label3", "Text3"}};
  for (int axis = 0; axis < 3; ++axis) {
    ratioGrid->addWidget(label(kAxes[axis][0], kAxes[axis][1], ratios), axis, 0);
    ratioFields_[axis] = new QLineEdit(ratios);
    ratioFields_[axis]->setObjectName(kAxes[axis][2]);
    ratioGrid->addWidget(ratioFields_[axis], axis, 1);
  }
  layout->addWidget(ratios);

  auto* delay = new QGroupBox(QStringLiteral("Задержка между шагами при холостом ходе"), this);
  delay->setObjectName("Frame2");
  auto* delayRow = new QHBoxLayout(delay);
  delayField_ = new QLineEdit(delay);
  delayField_->setObjectName("Text4");
  delayRow->addWidget(delayField_);
  delayRow->addWidget(label("микросекунд", "Label4", delay));
  layout->addWidget(delay);

  auto* port = new QGroupBox(QStringLiteral("Виртуальный COM-порт"), this);
  port->setObjectName("Frame3");
  auto* portRow = new QHBoxLayout(port);
  // The ports the system reports are offered; any typed name is used as typed.
  portField_ = editableList("Combo2", port);
  OfferPorts(*portField_, SystemPorts());
  portRow->addWidget(portField_, 1);
  checkButton_ = new QPushButton(QStringLiteral("Проверить соединение"), port);
  checkButton_->setObjectName("Command1");
  portRow->addWidget(checkButton_);
  roundTripLabel_ = label("", "Label7", port);
  portRow->addWidget(roundTripLabel_);
  layout->addWidget(port);

  auto* speed = new QGroupBox(QStringLiteral("Скорость"), this);
  speed->setObjectName("Frame4");
  auto* speedGrid = new QGridLayout(speed);
  speedField_ = editableList("Combo1", speed);
  for (const char* item : SpeedListItems()) speedField_->addItem(QString::fromUtf8(item));
  speedGrid->addWidget(speedField_, 0, 0);
  speedGrid->addWidget(label("бод", "Label5", speed), 0, 1);
  optimBox_ = new QCheckBox(QStringLiteral("Оптимизация"), speed);
  optimBox_->setObjectName("Check1");
  speedGrid->addWidget(optimBox_, 1, 0, 1, 2);
  QLabel* explanation = label(kOptimExplanation, "Label6", speed);
  explanation->setWordWrap(true);
  speedGrid->addWidget(explanation, 2, 0, 1, 2);
  layout->addWidget(speed);

  auto* gcodeRow = new QHBoxLayout;
  gcodeRow->addWidget(label("G-код:", "Label8", this));
  gcodeField_ = new QComboBox(this);
  gcodeField_->setObjectName("Combo3");
  gcodeField_->addItem(QStringLiteral("Vexa"), QStringLiteral("vexa"));
  gcodeField_->addItem(QStringLiteral("Стандартный"), QStringLiteral("standard"));
  gcodeField_->setToolTip(QStringLiteral(
      "Форма файла program.gcode лазерной гравировки. Фрезеровка, обведение и резка всегда "
      "пишут стандартный G-код"));
  gcodeRow->addWidget(gcodeField_, 1);
  layout->addLayout(gcodeRow);
  storedDialect_ = main_.settingsFile().ReadSetting(gcode::kDialectKey, "");
  gcodeField_->setCurrentIndex(storedDialect_ == "standard" ? 1 : 0);

  auto* buttons = new QHBoxLayout;
  okButton_ = new QPushButton(QStringLiteral("ОК"), this);
  okButton_->setObjectName("Command2");
  cancelButton_ = new QPushButton(QStringLiteral("Отмена"), this);
  cancelButton_->setObjectName("Command3");
  buttons->addStretch(1);
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);
  layout->addLayout(buttons);
  layout->addStretch(1);

  const link::MachineLink& machineLink = main_.machineLink();
  const SettingsFields shown =
      FieldsFromMemory(main_.machineSettings(), machineLink.portName, machineLink.speed);
  ratioFields_[0]->setText(QString::fromStdString(shown.xRatio));
  ratioFields_[1]->setText(QString::fromStdString(shown.yRatio));
  ratioFields_[2]->setText(QString::fromStdString(shown.zRatio));
  delayField_->setText(QString::fromStdString(shown.delay));
  optimBox_->setChecked(shown.optim);
  portField_->setCurrentText(QString::fromStdString(shown.port));
  speedField_->setCurrentText(QString::fromStdString(shown.speed));

  connect(checkButton_, &QPushButton::clicked, this, [this] { CheckConnection(true); });
  connect(okButton_, &QPushButton::clicked, this, &SettingsWindow::confirm);
  connect(cancelButton_, &QPushButton::clicked, this, &SettingsWindow::closeWindow);
}

SettingsFields SettingsWindow::typedFields() const {
  SettingsFields fields;
  fields.xRatio = ratioFields_[0]->text().toStdString();
  fields.yRatio = ratioFields_[1]->text().toStdString();
  fields.zRatio = ratioFields_[2]->text().toStdString();
  fields.delay = delayField_->text().toStdString();
  fields.port = portField_->currentText().toStdString();
  fields.speed = speedField_->currentText().toStdString();
  fields.optim = optimBox_->isChecked();
  // A file without the key keeps going without it while the default form stays chosen.
  const std::string dialect = gcodeField_->currentData().toString().toStdString();
  if (!storedDialect_.empty() || dialect != "vexa") fields.gcodeDialect = dialect;
  return fields;
}

ConnectionResult SettingsWindow::runCheck(const SettingsFields& fields, int speed, bool measure) {
  // The check lets events through; a second check or ОК would reopen the port under it.
  checking_ = true;
  for (QPushButton* button : {checkButton_, okButton_, cancelButton_}) button->setEnabled(false);
  std::optional<double> roundTrip;
  const ConnectionResult result = app::CheckConnection(main_.machineLink(), fields.port, speed,
                                                       measure ? &roundTrip : nullptr);
  if (measure) {
    roundTripLabel_->setText(roundTrip ? QString::fromStdString(link::RoundTripText(*roundTrip))
                                       : QString());
  }
  for (QPushButton* button : {checkButton_, okButton_, cancelButton_}) button->setEnabled(true);
  checking_ = false;
  return result;
}

void SettingsWindow::CheckConnection(bool showMessages) {
  if (checking_) return;
  const SettingsFields fields = typedFields();
  // An unusable name or speed is refused before the open port is given up.
  if (const auto error = PortFieldsError(fields.port, fields.speed)) {
    main_.prompts().message(link::kErrorCaption, *error);
    return;
  }
  const ConnectionResult result = runCheck(fields, *ReadSpeed(fields.speed), showMessages);
  if (showMessages) tellConnection(result);
  if (closeWanted_) closeWindow();
}

void SettingsWindow::tellConnection(ConnectionResult result) {
  link::Prompts& prompts = main_.prompts();
  switch (result) {
    case ConnectionResult::Answered:
      prompts.message(kConnectionCaption, kPortOpenText);
      break;
    case ConnectionResult::Silent:
      prompts.message(kConnectionCaption, ArduinoSilentText());
      break;
    case ConnectionResult::PortFailed:
      prompts.message(kConnectionCaption,
                      PortOpenErrorText(OpenErrorSystemText(main_.lastOpenResult())));
      break;
    case ConnectionResult::ReadFailed:
      break;  // the read-error message has been shown
    case ConnectionResult::Demo:
      prompts.message(kConnectionCaption, emulator::DemoConnectionText());
      break;
  }
}

void SettingsWindow::confirm() {
  if (checking_) return;
  const SettingsFields fields = typedFields();
  // Every field is checked before anything changes: a refused field keeps the window open with
  // the port, the values in memory and the file as they were.
  const FieldsCheck check = ReadSettingsFields(fields);
  if (!check.values) {
    main_.prompts().message(link::kErrorCaption, check.error);
    return;
  }
  runCheck(fields, check.values->speed, false);
  main_.machineSettings() = check.values->machine;
  main_.machineLink().portName = check.values->port;
  main_.machineLink().speed = check.values->speed;
  if (!WriteSettingsFields(main_.settingsFile(), fields)) {
    // Kept open so that ОК can be tried again once the file can be written.
    main_.prompts().message(link::kErrorCaption, SettingsNotSavedText(main_.settingsFile()));
    if (closeWanted_) closeWindow();
    return;
  }
  closeWindow();
}

void SettingsWindow::closeWindow() {
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    frame->close();
  } else {
    close();
  }
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
  // Never destroyed under a running check: the close happens once the check is over.
  if (checking_) {
    closeWanted_ = true;
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace vexa::app
