#pragma once
// The size fields of a raster window on the screen: Text5 (spot diameter), Text6 (target width)
// and Text7 (target height), connected to the window's RasterPicture.

#include <QObject>
#include <QPointer>

#include "picture/raster_picture.h"

class QLineEdit;

namespace vexa::picture {

// Typing passes every change to the RasterPicture (a spot diameter above 0 refits at once); the
// up and down arrows in Text5 move it by one X motor step; leaving a field runs its rule. Texts
// the rules choose are put back into the fields. Attaching shows the RasterPicture's texts;
// texts the window sets afterwards (its settings) count as changes, so it sets the loading flag
// first. Lives as a child of `spotDiameter`.
class RasterSizeFields : public QObject {
  Q_OBJECT

 public:
  RasterSizeFields(RasterPicture& raster, QLineEdit* spotDiameter, QLineEdit* targetWidth,
                   QLineEdit* targetHeight);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* fieldOf(SizeField field) const;
  template <typename Action>
  void run(Action action);

  RasterPicture& raster_;
  QPointer<QLineEdit> spotDiameter_;
  QPointer<QLineEdit> targetWidth_;
  QPointer<QLineEdit> targetHeight_;
  bool busy_ = false;
};

}  // namespace vexa::picture
