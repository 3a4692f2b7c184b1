#pragma once
// Form10, "Список связных": a tool for going through the 512 patterns of a 3 x 3 block of black
// and white cells and writing down the numbers of the wanted ones. No machine, no picture.

#include <QWidget>
#include <array>

#include "figures/pattern_list.h"
#include "link/prompts.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vexa::figures {

class PatternListWindow : public QWidget {
  Q_OBJECT

 public:
  explicit PatternListWindow(link::Prompts& prompts, QWidget* parent = nullptr);

  int patternNumber() const { return patternNumber_; }
  // Cell `index`, 1 to 9, rows from the top, left to right.
  QLabel* cell(int index) const { return cells_.at(index - 1); }
  QLineEdit* numberField() const { return numberField_; }
  QLineEdit* listField() const { return listField_; }
  QPushButton* showButton() const { return showButton_; }
  QPushButton* includeButton() const { return includeButton_; }
  QPushButton* nextButton() const { return nextButton_; }

  // The colours of a set and a clear cell: the frame colour and the window background colour of
  // the user's colour scheme.
  QColor setColour() const;
  QColor clearColour() const;

  void ShowPattern();
  void NextPattern();
  void IncludePattern();

 private:
  void showTyped();

  link::Prompts& prompts_;
  int patternNumber_ = 0;
  std::array<QLabel*, kPatternCells> cells_{};
  QLineEdit* numberField_;
  QLineEdit* listField_;
  QPushButton* showButton_;
  QPushButton* includeButton_;
  QPushButton* nextButton_;
};

}  // namespace vexa::figures
