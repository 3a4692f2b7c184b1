#pragma once
// Form6: brings the tool to a starting point, by typed millimetres or by keyboard jogging, with
// whatever firmware the controller carries.

#include <QDialog>
#include <optional>

#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/manual_moves.h"
#include "manual/commanded_position.h"
#include "manual/jog_keys.h"
#include "settings/settings.h"
#include "widgets/machine_status_widget.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vexa::manual {

class ManualPositioningDialog : public QDialog {
  Q_OBJECT

 public:
  // Runs the firmware check (a notice may appear) and reads the step size.
  ManualPositioningDialog(link::MachineLink& link, const link::MachineSettings& settings,
                          const settings::SettingsFile& settingsFile, QWidget* parent = nullptr);
  ~ManualPositioningDialog() override;

  bool jogging() const;
  const link::ManualMoves& moves() const { return moves_; }

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void toggleJogging();
  void moveByFields();
  void jog(JogKey key);
  void move(const AxisDistances& distances);
  void showPosition();

  link::MachineLink& link_;
  const link::MachineSettings& settings_;
  const settings::SettingsFile& settingsFile_;
  link::ManualMoves moves_;
  CommandedPosition position_;
  QLabel* positionLabels_[3];  // X, Y, Z in millimetres
  widgets::MachineStatusWidget* status_;
  QPushButton* jogSwitch_;
  QLineEdit* stepField_;
  QLineEdit* distanceFields_[3];
  QPushButton* moveButton_;
  QPushButton* stopButton_;
  std::optional<int> closeWanted_;  // the dialog result of a close put off during a move
};

inline constexpr const char* kPositionTip =
    "Прошивка не сообщает положение: показано, куда программа отправила инструмент с открытия "
    "окна";

inline constexpr const char* kStepNotNumberText =
    "Введите число в поле шага перемещения клавишами!";

// The jog key a key press stands for: arrows, and Q / A in either case or layout (Й / Ф).
std::optional<JogKey> JogKeyOf(int qtKey, const QString& text);

}  // namespace vexa::manual
