#include "milling/milling_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "figures/figure_selection.h"
#include "figures/figure_tree_widget.h"

namespace vexa::milling {

namespace {

figures::FigureWindowDesign millingDesign() {
  return {"Form1",
          QStringLiteral("Zorazad IDO"),
          "MT",
          "Image",
          "Text2",
          "Фрезеровка невозможна.",
          QStringLiteral("Размер готового изображ."),
          QStringLiteral("Фрезеровать"),
          {{QStringLiteral("Основная"), figures::kSourceCopy},
           {QStringLiteral("Градиент"), figures::kWorkingCopy},
           {QStringLiteral("Выделение"), figures::kSelectionCopy},
           {QStringLiteral("Фреза"), figures::kToolCopy}},
          true};
}

}  // namespace

MillingWindow::MillingWindow(link::MachineLink& link, const link::MachineSettings& settings,
                             std::filesystem::path programDir, QWidget* parent)
    : FigureWindow(link, settings, std::move(programDir), millingDesign(), parent),
      moves_(link::MotionContext(link, settings, [this] { return sendBox_->isChecked(); }),
             [this] { return scale_; }) {
  depthField_ = addSizeField(QStringLiteral("Глубина:"), "Text1");

  QGroupBox* cutter = addPanel(QStringLiteral("Фреза"));
  auto* cutterGrid = new QGridLayout(cutter);
  cutterGrid->addWidget(new QLabel(QStringLiteral("Диаметр, мм"), cutter), 0, 0);
  diameterField_ = makeNumberField("Text3", cutter);
  cutterGrid->addWidget(diameterField_, 0, 1);
  auto* delayLabel =
      new QLabel(QStringLiteral("Задержка между шагами при фрез-вке, микросек."), cutter);
  delayLabel->setWordWrap(true);
  cutterGrid->addWidget(delayLabel, 1, 0);
  delayField_ = makeNumberField("Text4", cutter);
  delayField_->setToolTip(QStringLiteral("Задержка между шагами при фрезеровке в микросекундах"));
  cutterGrid->addWidget(delayField_, 1, 1);

  selectedButton_ = addButton(QStringLiteral("Выделенная"), "Command1", 1, 0);
  allButton_ = addButton(QStringLiteral("Все"), "Command2", 1, 1);
  gradientButton_ = addButton(QStringLiteral("Градиент"), "Command4", 0, 1);
  offsetButton_ = addButton(QStringLiteral("Отступить"), "Command5", 2, 0);
  reliefButton_ = addButton(QStringLiteral("Резать 3D"), "Command6", 2, 1);

  connect(selectedButton_, &QPushButton::clicked, this, &MillingWindow::MillSelected);
  connect(allButton_, &QPushButton::clicked, this, &MillingWindow::MillAll);

  openWith({}, {selectedButton_, allButton_},
           {{"cncrez_width", widthField_},
            {"cncrez_depth", depthField_},
            {"mill_diameter", diameterField_},
            {"SM_mill_delay", delayField_}});
  // The relief half of the window comes with its own commands.
  for (QPushButton* button : {gradientButton_, offsetButton_, reliefButton_}) {
    button->setEnabled(false);
  }
}

std::optional<MillingParts> MillingWindow::gatherJob() {
  const auto numbers =
      ReadMillingNumbers({widthField_->text().toStdString(), depthField_->text().toStdString(),
                          diameterField_->text().toStdString(), delayField_->text().toStdString()});
  if (const auto* problem = std::get_if<std::string>(&numbers)) {
    link_.prompts().message(link::kErrorCaption, *problem);
    return std::nullopt;
  }
  const MillingNumbers& n = std::get<MillingNumbers>(numbers);
  picture::PixelBuffer& tool = picture_.copy(figures::kToolCopy);
  scale_ = {n.widthMm, n.depthMm, tool.width()};
  return MillingParts{moves_,
                      settings_,
                      figures_,
                      tool,
                      state_,
                      n.plungeDelay,
                      CutterSizeOf(n.diameterMm, n.widthMm, tool.width()),
                      [this] { return returnBox_->isChecked(); },
                      [this] { redrawAll(); },
                      [this] { job_.stepDone(); }};
}

void MillingWindow::MillSelected() {
  runJob(
      [this] {
        const auto figure =
            figures::CheckSelectedFigure(figures_.tree, tree_->selectedKey(), link_.prompts());
        if (!figure) return;
        if (auto parts = gatherJob()) MillingJob(std::move(*parts)).MillSelected(*figure);
      },
      {depthField_, diameterField_, delayField_});
}

void MillingWindow::MillAll() {
  runJob(
      [this] {
        if (!figures::CheckFigureTree(figures_.tree, link_.prompts())) return;
        if (auto parts = gatherJob()) MillingJob(std::move(*parts)).MillAll();
      },
      {depthField_, diameterField_, delayField_});
}

void MillingWindow::moveByMm(const manual::AxisDistances& d) {
  // During a job the move is added to the job's next step instead of being made at once.
  if (state_.jobKind != kNoJob) {
    moves_.SetPendingOffsets(d.x, d.y, d.z);
  } else {
    moves_.ArduinoMoveMM(d.x, d.y, d.z);
  }
}

}  // namespace vexa::milling
