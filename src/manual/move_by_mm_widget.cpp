#include "manual/move_by_mm_widget.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/link_abort.h"
#include "widgets/qt_millimetre_key_filter.h"

namespace vexa::manual {

void MakeDistanceFields(QWidget* parent, QLineEdit* fields[3], const char* const names[3]) {
  static const char* const kTips[] = {"Перемещение по оси X, мм", "Перемещение по оси Y, мм",
                                      "Перемещение по оси Z, мм"};
  for (int axis = 0; axis < 3; ++axis) {
    fields[axis] = new QLineEdit(QStringLiteral("0"), parent);
    fields[axis]->setObjectName(names[axis]);
    fields[axis]->setToolTip(QString::fromUtf8(kTips[axis]));
    widgets::ApplyMillimetreKeyFilter(fields[axis]);
  }
}

MoveByMmWidget::MoveByMmWidget(link::Prompts& prompts,
                               std::function<void(const AxisDistances&)> move, QWidget* parent)
    : QGroupBox(parent), prompts_(prompts), move_(std::move(move)) {
  setObjectName("moveByMm");
  auto* form = new QFormLayout(this);
  // The operation windows' own fields are Text1... as well, so the group's are tx, ty, tz.
  static const char* const kNames[] = {"tx", "ty", "tz"};
  MakeDistanceFields(this, fields_, kNames);
  form->addRow(QStringLiteral("X"), fields_[0]);
  form->addRow(QStringLiteral("Y"), fields_[1]);
  form->addRow(QStringLiteral("Z"), fields_[2]);
  moveButton_ = new QPushButton(QStringLiteral("Ручная уст-ка"), this);
  moveButton_->setObjectName("manualMove");
  form->addRow(moveButton_);
  connect(moveButton_, &QPushButton::clicked, this, &MoveByMmWidget::moveClicked);
}

void MoveByMmWidget::moveClicked() {
  const std::optional<AxisDistances> distances =
      ReadAxisDistances(fields_[0]->text().toStdString(), fields_[1]->text().toStdString(),
                        fields_[2]->text().toStdString(), prompts_);
  if (!distances) return;
  try {
    move_(*distances);
  } catch (const link::LinkAbort&) {
    // The message has been shown; the window stays usable.
  }
}

}  // namespace vexa::manual
