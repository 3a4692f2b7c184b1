#pragma once
// The status line every machine window carries ("Статус:" and the link state), and the
// start-up check that fills it and switches the window's machine controls off when the link
// or the firmware does not fit. After the check the line follows the link: a lost line shows.

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
  ~MachineStatusWidget() override;

  // Runs the firmware check; on failure the controls are switched off. A read failure during
  // the check has shown its message already; the window then opens with its controls off.
  link::GateResult runStartupCheck(link::MachineLink& link, const link::TagRule& rule,
                                   const QList<QWidget*>& machineControls);

  // The link is back and its firmware fits, as another check on the same opening of the port
  // found (the status reads "Com-порт открыт" again).
  void showLinkBack();

  // Demo mode's controller plays one firmware at a time: a window about to drive the machine
  // states its own again, since another window may have asked for a different one meanwhile.
  // Nothing happens on a real port.
  void claimController();

  QString statusText() const;
  // A word on the last job beside the link state (Label15): how long it took; empty clears it.
  void showJobNote(const QString& note);
  QString jobNote() const;
  // True when the port was open at the check and has not been lost since (the status reads
  // neither "no port" nor "link lost").
  bool portOpen() const;

 private:
  void showLineLost();

  QLabel* status_;
  QLabel* note_;
  link::MachineLink* link_ = nullptr;  // listened to from the first check on
  link::TagRule rule_;                 // of the last check
  int lineLostListener_ = -1;
};

}  // namespace vexa::widgets
