#include "widgets/qt_link_back.h"

#include <QAbstractButton>

#include "link/firmware_gate.h"
#include "link/link_back.h"
#include "widgets/machine_status_widget.h"
#include "widgets/qt_job_guard.h"

namespace vexa::widgets {

bool LinkCameBack(link::MachineLink& link, std::uint64_t cutAt, const std::string& tag,
                  MachineStatusWidget& status, QtJobGuard& guard, QAbstractButton* runBox,
                  const QList<QWidget*>& locked) {
  switch (link::CheckLinkBack(link, cutAt, tag)) {
    case link::LinkBack::Waiting:
      return false;
    case link::LinkBack::Back:
      status.showLinkBack();
      break;
    case link::LinkBack::GateNeeded: {
      link::GateResult gate;
      // Run as a job: the job buttons and closing the window wait for the check's end.
      guard.run([&] { gate = status.runStartupCheck(link, link::TagRule{tag}, {runBox}); },
                locked);
      if (!gate.controlsOn) return false;
      break;
    }
  }
  runBox->setEnabled(true);
  return true;
}

}  // namespace vexa::widgets
