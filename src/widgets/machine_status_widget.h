#pragma once
// The status line every machine window carries ("Статус:" and the link state), and the
// start-up check that fills it and switches the window's machine controls off when the link
// or the firmware does not fit.

#include <QList>
#include <QWidget>

#include "link/firmware_gate.h"

class QLabel;

namespace vexa::widgets {

class MachineStatusWidget : public QWidget {
  Q_OBJECT

 public:
  // `statusName` is the object name of the status label in the owning window.
  explicit MachineStatusWidget(const QString& statusName, QWidget* parent = nullptr);

  // Runs the firmware check; on failure the controls are switched off. A read failure during
  // the check has shown its message already; the window then opens with its controls off.
  link::GateResult runStartupCheck(link::MachineLink& link, const link::TagRule& rule,
                                   const QList<QWidget*>& machineControls);

  QString statusText() const;
  // True when the port was open at the check (the status does not read "no port").
  bool portOpen() const;

 private:
  QLabel* status_;
};

}  // namespace vexa::widgets
