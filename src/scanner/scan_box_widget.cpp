#include "scanner/scan_box_widget.h"

#include <QLabel>
#include <QMouseEvent>

#include "picture/picture_view.h"

namespace vexa::scanner {

namespace {

constexpr int kHandlePixels = 13;  // 13 x 13 at the window's design

QLabel* makeHandle(const char* name, QWidget* parent) {
  auto* handle = new QLabel(parent);
  handle->setObjectName(name);
  handle->setFixedSize(kHandlePixels, kHandlePixels);
  handle->setFrameShape(QFrame::Box);
  handle->setAutoFillBackground(true);
  handle->setCursor(Qt::SizeFDiagCursor);
  return handle;
}

}  // namespace

ScanBoxWidget::ScanBoxWidget(QWidget* parent) : QWidget(parent) {
  view_ = new picture::PictureView(this);  // named Pict
  view_->move(0, 0);
  handle_ = makeHandle("Label12", this);
  dragHandle_ = makeHandle("Label13", this);
  dragHandle_->hide();
  for (QLabel* label : {handle_, dragHandle_}) label->installEventFilter(this);
}

QSize ScanBoxWidget::boxSize() const {
  return view_->size();
}

void ScanBoxWidget::setBoxSize(QSize size) {
  view_->setFixedSize(size);
  // Room for the half of the handle that stands out of the box.
  setFixedSize(size + QSize(kHandlePixels / 2 + 1, kHandlePixels / 2 + 1));
  placeHandles();
}

void ScanBoxWidget::placeHandles() {
  const QPoint corner(view_->width() - kHandlePixels / 2, view_->height() - kHandlePixels / 2);
  dragHandle_->move(corner);
  handle_->move(corner);
  dragHandle_->raise();
  handle_->raise();
}

bool ScanBoxWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != handle_ && watched != dragHandle_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (watched != handle_ || mouse->button() != Qt::LeftButton || !isEnabled()) return false;
      dragging_ = true;
      pressPoint_ = mouse->globalPosition().toPoint();
      pressBox_ = boxSize();
      handle_->hide();
      dragHandle_->show();
      // The moves reach the stand-in now that the handle is hidden.
      dragHandle_->grabMouse();
      return true;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (!dragging_ || !(mouse->buttons() & Qt::LeftButton)) return false;
      const QPoint moved = mouse->globalPosition().toPoint() - pressPoint_;
      emit dragRequested(pressBox_ + QSize(moved.x(), moved.y()));
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (!dragging_) return false;
      dragging_ = false;
      dragHandle_->releaseMouse();
      dragHandle_->hide();
      placeHandles();
      handle_->show();
      return true;
    }
    default:
      return false;
  }
}

}  // namespace vexa::scanner
