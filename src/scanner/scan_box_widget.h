#pragma once
// The scanner window's preview box (Pict) with its corner handle: Label12 sits on the box's
// lower right corner; pressing it shows Label13 in its place while the mouse drags the corner.

#include <QPoint>
#include <QSize>
#include <QWidget>

class QLabel;

namespace vexa::picture {
class PictureView;
}

namespace vexa::scanner {

class ScanBoxWidget : public QWidget {
  Q_OBJECT

 public:
  explicit ScanBoxWidget(QWidget* parent = nullptr);

  picture::PictureView* view() const { return view_; }
  QLabel* handle() const { return handle_; }          // Label12
  QLabel* dragHandle() const { return dragHandle_; }  // Label13
  bool dragging() const { return dragging_; }

  QSize boxSize() const;
  // Sizes the box and puts the visible handle's centre on its lower right corner.
  void setBoxSize(QSize size);

 signals:
  // The mouse, with the left button held, asks for this box size: the size at the press moved
  // by as much as the mouse has moved.
  void dragRequested(QSize wanted);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void placeHandles();

  picture::PictureView* view_;
  QLabel* handle_;
  QLabel* dragHandle_;
  bool dragging_ = false;
  QPoint pressPoint_;
  QSize pressBox_;
};

}  // namespace vexa::scanner
