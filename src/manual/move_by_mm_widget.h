#pragma once
// The move-by-millimetre group of the milling, scanner, outline and cutting windows: three
// distance fields and "Ручная уст-ка".

#include <QGroupBox>
#include <functional>

#include "link/prompts.h"
#include "manual/axis_distances.h"

class QLineEdit;
class QPushButton;

namespace vexa::manual {

class MoveByMmWidget : public QGroupBox {
  Q_OBJECT

 public:
  // `move` runs with the checked distances: the window's own millimetre move, or, in the
  // milling window while a job runs, the job's pending offsets. A link abort inside it ends
  // that move only.
  MoveByMmWidget(link::Prompts& prompts, std::function<void(const AxisDistances&)> move,
                 QWidget* parent = nullptr);

  QLineEdit* field(int axis) const { return fields_[axis]; }  // 0 X, 1 Y, 2 Z
  QPushButton* moveButton() const { return moveButton_; }

 private:
  void moveClicked();

  link::Prompts& prompts_;
  std::function<void(const AxisDistances&)> move_;
  QLineEdit* fields_[3];
  QPushButton* moveButton_;
};

// Builds the X, Y and Z distance fields shared by this group and the manual positioning window,
// with the object names `names`.
void MakeDistanceFields(QWidget* parent, QLineEdit* fields[3], const char* const names[3]);

}  // namespace vexa::manual
