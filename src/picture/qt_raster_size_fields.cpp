#include "picture/qt_raster_size_fields.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace vexa::picture {

RasterSizeFields::RasterSizeFields(RasterPicture& raster, QLineEdit* spotDiameter,
                                   QLineEdit* targetWidth, QLineEdit* targetHeight)
    : QObject(spotDiameter),
      raster_(raster),
      spotDiameter_(spotDiameter),
      targetWidth_(targetWidth),
      targetHeight_(targetHeight) {
  for (SizeField field :
       {SizeField::SpotDiameter, SizeField::TargetWidth, SizeField::TargetHeight}) {
    QLineEdit* edit = fieldOf(field);
    edit->setText(QString::fromStdString(raster_.text(field)));
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& text) {
      run([&] { raster_.fieldEdited(field, text.toStdString()); });
    });
  }
  // While a rule runs, the texts it puts into the fields are already the RasterPicture's.
  raster_.setFieldHook(
      [self = QPointer<RasterSizeFields>(this)](SizeField field, const std::string& text) {
        if (!self) return;
        if (QLineEdit* edit = self->fieldOf(field)) edit->setText(QString::fromStdString(text));
      });
}

QLineEdit* RasterSizeFields::fieldOf(SizeField field) const {
  switch (field) {
    case SizeField::SpotDiameter:
      return spotDiameter_;
    case SizeField::TargetWidth:
      return targetWidth_;
    case SizeField::TargetHeight:
      break;
  }
  return targetHeight_;
}

// One rule at a time: a rule's message box or hidden panel takes the focus away from a field,
// and that must not start the field's own rule in the middle of the first.
template <typename Action>
void RasterSizeFields::run(Action action) {
  if (busy_) return;
  busy_ = true;
  try {
    action();
  } catch (...) {
    busy_ = false;
    throw;
  }
  busy_ = false;
}

bool RasterSizeFields::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched == spotDiameter_) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      run([&] {
        if (key == Qt::Key_Up) {
          raster_.SpotDiameterArrowUp();
        } else {
          raster_.SpotDiameterArrowDown();
        }
      });
      return true;
    }
  }
  if (event->type() == QEvent::FocusOut) {
    // Switching to another window or opening a menu is not leaving the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    if (watched == spotDiameter_) run([&] { raster_.SpotDiameterLeft(); });
    if (watched == targetWidth_) run([&] { raster_.TargetWidthLeft(); });
    if (watched == targetHeight_) run([&] { raster_.TargetHeightLeft(); });
  }
  return false;
}

}  // namespace vexa::picture
