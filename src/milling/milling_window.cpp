#include "milling/milling_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "figures/figure_selection.h"
#include "figures/figure_tree_widget.h"
#include "figures/offset_figures.h"
#include "milling/edge_bands.h"
#include "milling/relief_job.h"
#include "widgets/qt_busy_cursor.h"

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

  const ToolFields cutter =
      addToolPanel(QStringLiteral("Фреза"),
                   QStringLiteral("Задержка между шагами при фрез-вке, микросек."), true);
  diameterField_ = cutter.diameter;
  delayField_ = cutter.delay;
  delayField_->setToolTip(QStringLiteral("Задержка между шагами при фрезеровке в микросекундах"));

  selectedButton_ = addButton(QStringLiteral("Выделенная"), "Command1", 1, 0);
  allButton_ = addButton(QStringLiteral("Все"), "Command2", 1, 1);
  gradientButton_ = addButton(QStringLiteral("Градиент"), "Command4", 0, 1);
  offsetButton_ = addButton(QStringLiteral("Отступить"), "Command5", 2, 0);
  reliefButton_ = addButton(QStringLiteral("Резать 3D"), "Command6", 2, 1);

  connect(selectedButton_, &QPushButton::clicked, this, &MillingWindow::MillSelected);
  connect(allButton_, &QPushButton::clicked, this, &MillingWindow::MillAll);
  connect(reliefButton_, &QPushButton::clicked, this, &MillingWindow::Mill3D);
  connect(gradientButton_, &QPushButton::clicked, this, &MillingWindow::Gradient);
  connect(offsetButton_, &QPushButton::clicked, this, &MillingWindow::Offset);

  openWith({}, {selectedButton_, allButton_, gradientButton_, offsetButton_, reliefButton_},
           {{"cncrez_width", widthField_},
            {"cncrez_depth", depthField_},
            {"mill_diameter", diameterField_},
            {"SM_mill_delay", delayField_}});
}

std::optional<CutterNumbers> MillingWindow::cutterNumbers() {
  return checkedNumbers(
      ReadCutterNumbers(widthField_->text().toStdString(), diameterField_->text().toStdString()),
      [this](const CutterNumbers& n) { return CutterRangeProblem(n, picture_.width()); });
}

void MillingWindow::Gradient() {
  // The working picture is what a running job traces and parses.
  if (jobRunning() || !picture_.hasPicture()) return;
  const auto numbers = cutterNumbers();
  if (!numbers) return;
  {
    widgets::BusyCursor busy;
    const picture::PixelBuffer& source = picture_.copy(figures::kSourceCopy);
    picture_.copy(figures::kWorkingCopy) = EdgeBands(
        source, CutterSizeOf(numbers->diameterMm, numbers->widthMm, source.width()).radius);
    figures_.resetTables();
  }
  picture_.requestRedraw();
  replanJobs();
}

void MillingWindow::Offset() {
  if (jobRunning() || !picture_.hasPicture()) return;
  const auto numbers = cutterNumbers();
  if (!numbers) return;
  {
    widgets::BusyCursor busy;
    picture::PixelBuffer& working = picture_.copy(figures::kWorkingCopy);
    figures::OffsetFigures(
        working, CutterDiameterOf(numbers->diameterMm, numbers->widthMm, working.width()));
    figures_.resetTables();
  }
  picture_.requestRedraw();
  replanJobs();
}

std::optional<MillingNumbers> MillingWindow::readNumbers() {
  const picture::PixelBuffer& tool = picture_.copy(figures::kToolCopy);
  return checkedNumbers(ReadMillingNumbers(fieldTexts()), [&](const MillingNumbers& n) {
    return MillingRangeProblem(n, tool.width(), tool.height(), settings_);
  });
}

MillingFieldTexts MillingWindow::fieldTexts() const {
  return {widthField_->text().toStdString(), depthField_->text().toStdString(),
          diameterField_->text().toStdString(), delayField_->text().toStdString()};
}

MillingParts MillingWindow::partsFor(const MillingNumbers& numbers) {
  picture::PixelBuffer& tool = picture_.copy(figures::kToolCopy);
  scale_ = {numbers.widthMm, numbers.depthMm, tool.width()};
  return MillingParts{moves_,
                      settings_,
                      figures_,
                      tool,
                      state_,
                      numbers.plungeDelay,
                      CutterSizeOf(numbers.diameterMm, numbers.widthMm, tool.width()),
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
        const auto numbers = readNumbers();
        if (!numbers) return;
        runRequest({MillingJobKind::Selected, *figure, *numbers});
      },
      {depthField_, diameterField_, delayField_, gradientButton_, offsetButton_});
}

void MillingWindow::MillAll() {
  runJob(
      [this] {
        if (!figures::CheckFigureTree(figures_.tree, link_.prompts())) return;
        const auto numbers = readNumbers();
        if (!numbers) return;
        runRequest({MillingJobKind::All, 0, *numbers});
      },
      {depthField_, diameterField_, delayField_, gradientButton_, offsetButton_});
}

void MillingWindow::Mill3D() {
  runJob(
      [this] {
        const auto numbers = readNumbers();
        if (!numbers) return;
        runRequest({MillingJobKind::Relief, 0, *numbers});
      },
      {depthField_, diameterField_, delayField_, gradientButton_, offsetButton_});
}

MillingStart MillingWindow::startState() const {
  return {snapshot(), state_, moves_.record.place()};
}

void MillingWindow::runRequest(const MillingRequest& request) {
  runFollowed(followedRun(static_cast<int>(request.kind), moves_, state_,
                          [this, request] {
                            const auto gcode = startGcode(request);
                            RunMilling(request, partsFor(request.numbers),
                                       picture_.copy(figures::kSourceCopy),
                                       picture_.copy(figures::kWorkingCopy),
                                       [this] { parseFigures(); });
                            if (gcode) gcode->finish();
                          }),
              kMillingDoneText);
}

std::vector<widgets::JobFollow::Plan> MillingWindow::jobPlans() {
  std::function<widgets::PlanTask(int, std::int32_t)> plan;
  const auto read = ReadMillingNumbers(fieldTexts());
  const auto* numbers = std::get_if<MillingNumbers>(&read);
  if (picture_.hasPicture() && numbers &&
      !MillingRangeProblem(*numbers, picture_.width(), picture_.height(), settings_)) {
    // The plans run on their own thread with their own copies.
    auto start = std::make_shared<const MillingStart>(startState());
    auto settings = std::make_shared<const link::MachineSettings>(settings_);
    const link::TimeModel model = link::AwaitedTimeModel(link_);
    plan = [=, returnToStart = returnBox_->isChecked(), link = &link_, n = *numbers](
               int job, std::int32_t figure) -> widgets::PlanTask {
      const MillingRequest request{static_cast<MillingJobKind>(job), figure, n};
      return [=](const std::atomic<bool>& cancelled) -> std::optional<link::JobEstimate> {
        return PlanMilling(request, *start, returnToStart, *settings, *link, model, cancelled);
      };
    };
  }
  // In the order of MillingJobKind.
  return figureJobPlans({selectedButton_, allButton_, reliefButton_}, plan);
}

std::unique_ptr<gcode::JobGcode> MillingWindow::startGcode(const MillingRequest& request) {
  return FigureWindow::startGcode(gcode::JobGcode::Tool::Cutter, moves_.listener,
                                  MillingJobName(request.kind),
                                  MillingGcodeNumbers(fieldTexts(), request.numbers));
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
