#pragma once
// The G-code window's top view of a file's path: travel in one colour, work in another, the
// tool's place marked during a run. The path fits the view when it is set; the wheel zooms about
// the cursor, a drag with the left button pans, a double click fits again. The drawn path is kept
// as an image, so a run that moves the marker repaints only the image and the marker.

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QWidget>
#include <optional>
#include <vector>

namespace vexa::gcode_run {

// One straight piece of the path, in millimetres (X to the right, Y up).
struct ViewSegment {
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool work = false;
};

class GcodePathView : public QWidget {
  Q_OBJECT

 public:
  explicit GcodePathView(QWidget* parent = nullptr);

  void setPath(std::vector<ViewSegment> segments);
  // The tool's place in millimetres, or none.
  void setPosition(std::optional<QPointF> position);
  // Fits the whole path into the view.
  void fit();

  QSize sizeHint() const override { return {480, 400}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QPointF toView(double x, double y) const;
  void renderPath();

  std::vector<ViewSegment> segments_;
  QRectF bounds_;  // of the path, in millimetres
  std::optional<QPointF> position_;
  double scale_ = 1;  // view pixels per millimetre
  QPointF origin_;    // the view point of 0, 0
  QPointF dragFrom_;
  QImage rendered_;  // the path at scale_ and origin_ less panned_
  QPointF panned_;   // how far a drag has moved the view since the path was drawn
  bool renderDue_ = true;
};

}  // namespace vexa::gcode_run
