#pragma once
// Form4: calibration of the axes (millimetres per motor step), the travel delay, the serial port
// and its speed, the optimisation mode, and the connection check.

#include <QWidget>

#include "app/connection_check.h"
#include "app/settings_form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vexa::app {

class MainWindow;

class SettingsWindow : public QWidget {
  Q_OBJECT

 public:
  // Fills the fields from the values in memory (not from the file).
  explicit SettingsWindow(MainWindow& main, QWidget* parent = nullptr);

  // Reopens the port with the fields' name and speed and asks the controller for its firmware;
  // with `showMessages` the outcome is told. OpenPort's own message comes either way.
  void CheckConnection(bool showMessages);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void confirm();
  void closeWindow();
  SettingsFields typedFields() const;
  // With `measure`, the round trip is measured and shown too.
  ConnectionResult runCheck(const SettingsFields& fields, int speed, bool measure);
  void tellConnection(ConnectionResult result);

  MainWindow& main_;
  QLineEdit* ratioFields_[3];
  QLineEdit* delayField_;
  QComboBox* portField_;
  QComboBox* speedField_;
  QCheckBox* optimBox_;
  QComboBox* gcodeField_;  // Combo3 "G-код:", the raster windows' export form
  std::string storedDialect_;  // gcode_dialect as cnc.ini had it when the window opened
  QPushButton* checkButton_;
  QLabel* roundTripLabel_;  // "Отклик: 1,2 мс" after a check that measured it
  QPushButton* okButton_;
  QPushButton* cancelButton_;
  bool checking_ = false;
  bool closeWanted_ = false;
};

}  // namespace vexa::app
