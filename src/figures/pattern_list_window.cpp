#include "figures/pattern_list_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa::figures {

namespace {

constexpr int kCellSide = 32;

QPushButton* makeButton(const char* objectName, const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(objectName);
  return button;
}

}  // namespace

PatternListWindow::PatternListWindow(link::Prompts& prompts, QWidget* parent)
    : QWidget(parent), prompts_(prompts) {
  setObjectName("Form10");
  setWindowTitle("Список связных");

  auto* grid = new QGridLayout;
  grid->setSpacing(2);
  for (int i = 0; i < kPatternCells; ++i) {
    auto* label = new QLabel(this);
    label->setObjectName("Label1");
    label->setProperty("index", i + 1);
    label->setFixedSize(kCellSide, kCellSide);
    label->setFrameShape(QFrame::Box);
    label->setAutoFillBackground(true);
    grid->addWidget(label, i / 3, i % 3);
    cells_[i] = label;
  }

  numberField_ = new QLineEdit(this);
  numberField_->setObjectName("Text2");
  showButton_ = makeButton("Command1", "Показать", this);
  nextButton_ = makeButton("Command3", "Дальше", this);
  includeButton_ = makeButton("Command2", "Включить", this);
  listField_ = new QLineEdit(this);
  listField_->setObjectName("Text1");

  auto* controls = new QVBoxLayout;
  controls->addWidget(numberField_);
  controls->addWidget(showButton_);
  controls->addWidget(nextButton_);
  controls->addWidget(includeButton_);
  controls->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(grid);
  top->addLayout(controls);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(listField_);

  connect(showButton_, &QPushButton::clicked, this, &PatternListWindow::showTyped);
  connect(nextButton_, &QPushButton::clicked, this, &PatternListWindow::NextPattern);
  connect(includeButton_, &QPushButton::clicked, this, &PatternListWindow::IncludePattern);

  ShowPattern();
}

QColor PatternListWindow::setColour() const {
  return palette().color(QPalette::WindowText);
}
QColor PatternListWindow::clearColour() const {
  return palette().color(QPalette::Base);
}

void PatternListWindow::ShowPattern() {
  numberField_->setText(QString::number(patternNumber_));
  const auto shown = PatternCells(patternNumber_);
  for (int i = 0; i < kPatternCells; ++i) {
    QPalette colours = cells_[i]->palette();
    colours.setColor(QPalette::Window, shown[i] ? setColour() : clearColour());
    cells_[i]->setPalette(colours);
  }
}

void PatternListWindow::NextPattern() {
  patternNumber_ = figures::NextPattern(patternNumber_);
  ShowPattern();
}

void PatternListWindow::IncludePattern() {
  std::string list = listField_->text().toStdString();
  patternNumber_ = figures::IncludePattern(list, patternNumber_);
  listField_->setText(QString::fromStdString(list));
  ShowPattern();
}

void PatternListWindow::showTyped() {
  const auto typed = ReadPatternNumber(numberField_->text().toStdString());
  if (!typed) {
    // The typed text stays for the user to correct; the shown pattern does not change.
    prompts_.message(link::kErrorCaption, kNotAPatternNumberText);
    return;
  }
  patternNumber_ = *typed;
  ShowPattern();
}

}  // namespace vexa::figures
