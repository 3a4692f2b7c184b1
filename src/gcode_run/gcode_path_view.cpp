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
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  for (const ViewSegment& s : segments_) {
    minX = std::min({minX, double(s.x0), double(s.x1)});
    maxX = std::max({maxX, double(s.x0), double(s.x1)});
    minY = std::min({minY, double(s.y0), double(s.y1)});
    maxY = std::max({maxY, double(s.y0), double(s.y1)});
  }
  bounds_ = QRectF(QPointF(minX, minY), QPointF(maxX, maxY));
  position_.reset();
  fit();
}

void GcodePathView::setPosition(std::optional<QPointF> position) {
  position_ = position;
  update();
}

void GcodePathView::fit() {
  const double minX = bounds_.left(), maxX = bounds_.right();
  const double minY = bounds_.top(), maxY = bounds_.bottom();
  const double spanX = std::max(maxX - minX, 1e-3), spanY = std::max(maxY - minY, 1e-3);
  scale_ = std::min((width() - 2 * kMargin) / spanX, (height() - 2 * kMargin) / spanY);
  if (!(scale_ > 0)) scale_ = 1;
  // Centred; Y up.
  origin_ = QPointF(width() / 2.0 - (minX + maxX) / 2 * scale_,
                    height() / 2.0 + (minY + maxY) / 2 * scale_);
  panned_ = {};
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
  // Many lines per call: a million segments draw in a fraction of a second this way. They go in
  // batches of one buffer, which a file of millions of segments would otherwise need many times.
  constexpr std::size_t kBatch = 1 << 16;
  std::vector<QLineF> lines;
  lines.reserve(kBatch);
  for (const bool work : {false, true}) {
    painter.setPen(QPen(work ? kWorkColour : kTravelColour, 0));
    auto draw = [&] {
      if (!lines.empty()) painter.drawLines(lines.data(), int(lines.size()));
      lines.clear();
    };
    for (const ViewSegment& s : segments_) {
      if (s.work != work) continue;
      lines.emplace_back(toView(s.x0, s.y0), toView(s.x1, s.y1));
      if (lines.size() == kBatch) draw();
    }
    draw();
  }
  panned_ = {};
  renderDue_ = false;
}

void GcodePathView::paintEvent(QPaintEvent*) {
  if (renderDue_ || rendered_.size() != size()) renderPath();
  QPainter painter(this);
  if (!panned_.isNull()) painter.fillRect(rect(), Qt::white);
  painter.drawImage(panned_, rendered_);
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
  // The drawn path moves along; it is drawn anew when the button is let go.
  const QPointF moved = event->position() - dragFrom_;
  origin_ += moved;
  panned_ += moved;
  dragFrom_ = event->position();
  update();
}

void GcodePathView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || panned_.isNull()) return;
  renderDue_ = true;
  update();
}

void GcodePathView::mouseDoubleClickEvent(QMouseEvent*) {
  fit();
}

}  // namespace vexa::gcode_run
