#pragma once
// The widget every window shows its picture in (the system's Pict): the picture's own bytes,
// no copy, fitted into the view with its proportions kept, from the top-left corner.

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "picture/pixel_buffer.h"

namespace vexa::picture {

class PictureView : public QWidget {
  Q_OBJECT

 public:
  explicit PictureView(QWidget* parent = nullptr);

  // The picture to show, owned by the window (WindowPicture keeps it in place); nullptr or an
  // empty picture shows only the background.
  void setPicture(const PixelBuffer* picture);
  const PixelBuffer* picture() const { return picture_; }

  // RedrawPicture: the picture's bytes changed. Repaints soon, at most once per screen frame,
  // however often a job asks.
  void requestRedraw();

  // Where the picture goes in the view now (empty when nothing is drawn).
  QRect drawnRect() const;

  // The picture plus a 2-pixel margin each side, as the raster windows sized their view, scaled
  // down to at most 640 x 480.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int frameMilliseconds() const;

  const PixelBuffer* picture_ = nullptr;
  QSize hintedSize_;
  QElapsedTimer sinceLastPaint_;
  int lastPaintMilliseconds_ = 0;
  QTimer pendingRedraw_;
};

}  // namespace vexa::picture
