#include "picture/picture_view.h"

#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "picture/qt_pixel_image.h"
#include "picture/size_rules.h"

namespace vexa::picture {

namespace {

constexpr int kMargin = 4;
constexpr int kDefaultFrameRate = 60;
// A large fitted picture must not ask for more than a window at 1280 x 720 can give.
constexpr QSize kLargestHint(640, 480);

}  // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setObjectName("Pict");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  pendingRedraw_.setSingleShot(true);
  connect(&pendingRedraw_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void PictureView::setPicture(const PixelBuffer* picture) {
  picture_ = picture;
  requestRedraw();
}

void PictureView::requestRedraw() {
  const QSize size = picture_ != nullptr ? QSize(picture_->width(), picture_->height()) : QSize();
  if (size != hintedSize_) {
    hintedSize_ = size;
    updateGeometry();
  }
  if (pendingRedraw_.isActive()) return;
  const qint64 sincePaint = sinceLastPaint_.isValid() ? sinceLastPaint_.elapsed() : -1;
  // At the screen's pace, but a paint that takes long (a large picture scaled down) waits three
  // times its own length, so a job spends at most a quarter of its time drawing.
  const int frame = std::max(frameMilliseconds(), 3 * lastPaintMilliseconds_);
  if (sincePaint < 0 || sincePaint >= frame) {
    update();
  } else {
    pendingRedraw_.start(static_cast<int>(frame - sincePaint));
  }
}

QRect PictureView::drawnRect() const {
  if (picture_ == nullptr) return QRect();
  const auto drawn = DrawnSizeIn(width(), height(), picture_->width(), picture_->height());
  if (!drawn) return QRect();
  return QRect(0, 0, drawn->width, drawn->height);
}

QSize PictureView::sizeHint() const {
  if (hintedSize_.isEmpty()) return QSize(320, 240);
  const QSize hint = hintedSize_ + QSize(kMargin, kMargin);
  if (hint.width() <= kLargestHint.width() && hint.height() <= kLargestHint.height()) return hint;
  return hint.scaled(kLargestHint, Qt::KeepAspectRatio);
}

QSize PictureView::minimumSizeHint() const {
  return QSize(32, 32);
}

void PictureView::paintEvent(QPaintEvent*) {
  sinceLastPaint_.start();
  struct PaintTime {
    const QElapsedTimer& since;
    int& milliseconds;
    ~PaintTime() { milliseconds = static_cast<int>(since.elapsed()); }
  } paintTime{sinceLastPaint_, lastPaintMilliseconds_};
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  const QRect target = drawnRect();
  if (target.isEmpty()) return;
  // Reduced smoothly so the preview looks like the picture; enlarged without smoothing so the
  // pixels the machine will burn stay visible as squares.
  const bool reduced = target.width() < picture_->width();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, reduced);
  painter.drawImage(target, ToQImage(*picture_));
}

int PictureView::frameMilliseconds() const {
  const QScreen* shown = screen();
  const qreal rate =
      shown != nullptr && shown->refreshRate() > 1 ? shown->refreshRate() : kDefaultFrameRate;
  return static_cast<int>(1000 / rate);
}

}  // namespace vexa::picture
