#include "gcode_run/gcode_path_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

namespace vexa::gcode_run {

namespace {

constexpr int kMargin = 8;
const QColor kTravelColour(150, 150, 220);
const QColor kWorkColour(200, 30, 30);

}  // namespace

GcodePathView::GcodePathView(QWidget* parent) : QWidget(parent) {
  setMinimumSize(160, 120);
  setCursor(Qt::OpenHandCursor);
}

void GcodePathView::setPath(std::vector<ViewSegment> segments) {
  segments_ = std::move(segments);
  position_.reset();
  fit();
}

void GcodePathView::setPosition(std::optional<QPointF> position) {
  position_ = position;
  update();
}

void GcodePathView::fit() {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  for (const ViewSegment& s : segments_) {
    minX = std::min({minX, double(s.x0), double(s.x1)});
    maxX = std::max({maxX, double(s.x0), double(s.x1)});
    minY = std::min({minY, double(s.y0), double(s.y1)});
    maxY = std::max({maxY, double(s.y0), double(s.y1)});
  }
  const double spanX = std::max(maxX - minX, 1e-3), spanY = std::max(maxY - minY, 1e-3);
  scale_ = std::min((width() - 2 * kMargin) / spanX, (height() - 2 * kMargin) / spanY);
  if (!(scale_ > 0)) scale_ = 1;
  // Centred; Y up.
  origin_ = QPointF(width() / 2.0 - (minX + maxX) / 2 * scale_,
                    height() / 2.0 + (minY + maxY) / 2 * scale_);
  renderDue_ = true;
  update();
}

QPointF GcodePathView::toView(double x, double y) const {
  return {origin_.x() + x * scale_, origin_.y() - y * scale_};
}

void GcodePathView::renderPath() {
  rendered_ = QImage(size(), QImage::Format_RGB32);
  rendered_.fill(Qt::white);
  QPainter painter(&rendered_);
  // One call per colour: a million segments draw in a fraction of a second this way.
  for (const bool work : {false, true}) {
    std::vector<QLineF> lines;
    for (const ViewSegment& s : segments_) {
      if (s.work == work) lines.emplace_back(toView(s.x0, s.y0), toView(s.x1, s.y1));
    }
    painter.setPen(QPen(work ? kWorkColour : kTravelColour, 0));
    if (!lines.empty()) painter.drawLines(lines.data(), int(lines.size()));
  }
  renderDue_ = false;
}

void GcodePathView::paintEvent(QPaintEvent*) {
  if (renderDue_ || rendered_.size() != size()) renderPath();
  QPainter painter(this);
  painter.drawImage(0, 0, rendered_);
  if (position_) {
    const QPointF at = toView(position_->x(), position_->y());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawEllipse(at, 5, 5);
    painter.drawLine(at - QPointF(8, 0), at + QPointF(8, 0));
    painter.drawLine(at - QPointF(0, 8), at + QPointF(0, 8));
  }
}

void GcodePathView::resizeEvent(QResizeEvent*) {
  fit();
}

void GcodePathView::wheelEvent(QWheelEvent* event) {
  const double factor = std::pow(1.0015, event->angleDelta().y());
  const QPointF at = event->position();
  // The point under the cursor stays where it is.
  origin_ = at + (origin_ - at) * factor;
  scale_ *= factor;
  renderDue_ = true;
  update();
}

void GcodePathView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragFrom_ = event->position();
}

void GcodePathView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  origin_ += event->position() - dragFrom_;
  dragFrom_ = event->position();
  renderDue_ = true;
  update();
}

void GcodePathView::mouseDoubleClickEvent(QMouseEvent*) {
  fit();
}

}  // namespace vexa::gcode_run
