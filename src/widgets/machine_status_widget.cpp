#include "widgets/machine_status_widget.h"

#include <QHBoxLayout>
#include <QLabel>


namespace vexa::widgets {

using link::GateOnFirmware;
using link::GateResult;
using link::kStatusLinkLost;
using link::kStatusNoPort;
using link::LinkAbort;
using link::MachineLink;
using link::TagRule;

MachineStatusWidget::MachineStatusWidget(const QString& statusName, QWidget* parent)
    : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(new QLabel(QStringLiteral("Статус:"), this));
  status_ = new QLabel(QString::fromUtf8(kStatusNoPort), this);
  status_->setObjectName(statusName);
  row->addWidget(status_, 1);
  note_ = new QLabel(this);
  note_->setObjectName("Label15");
  row->addWidget(note_);
}

void MachineStatusWidget::showJobNote(const QString& note) { note_->setText(note); }

QString MachineStatusWidget::jobNote() const { return note_->text(); }

MachineStatusWidget::~MachineStatusWidget() {
  if (link_) link_->removeLineLostListener(lineLostListener_);
}

void MachineStatusWidget::showLineLost() {
  status_->setText(QString::fromUtf8(kStatusLinkLost));
}

GateResult MachineStatusWidget::runStartupCheck(MachineLink& link, const TagRule& rule,
                                                const QList<QWidget*>& machineControls) {
  if (link_ == nullptr) {
    link_ = &link;
    lineLostListener_ = link.addLineLostListener([this] { showLineLost(); });
  }
  rule_ = rule;
  GateResult result{kStatusNoPort, false, ""};
  try {
    result = GateOnFirmware(link, rule);
  } catch (const LinkAbort&) {
    // The read-error message has been shown; the window stays usable without the machine.
    if (link.lineLost()) result.status = kStatusLinkLost;
  }
  status_->setText(QString::fromUtf8(result.status.c_str()));
  if (!result.controlsOn) {
    for (QWidget* control : machineControls) control->setEnabled(false);
  }
  return result;
}

void MachineStatusWidget::showLinkBack() {
  status_->setText(QString::fromStdString(link_ ? link::OpenStatusText(*link_) : link::kStatusOpen));
}

void MachineStatusWidget::claimController() {
  if (link_) link_->ExpectFirmware(rule_.required);
}

QString MachineStatusWidget::statusText() const { return status_->text(); }

bool MachineStatusWidget::portOpen() const {
  const QString text = status_->text();
  return text != QString::fromUtf8(kStatusNoPort) && text != QString::fromUtf8(kStatusLinkLost);
}

}  // namespace vexa::widgets
