#include "outline/outline_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "figures/figure_selection.h"
#include "figures/figure_tree_widget.h"
#include "figures/offset_figures.h"
#include "link/paced_pump.h"
#include "outline/edge_lines.h"
#include "widgets/qt_busy_cursor.h"
#include "widgets/qt_field_leave.h"

namespace vexa::outline {

namespace {

figures::FigureWindowDesign outlineDesign() {
  return {"Form5",
          QStringLiteral("Обведение силуэтов и орнаментов"),
          "OT",
          "Etching2_image",
          "Text1",
          "Гравировка невозможна.",
          QStringLiteral("Размер готового изобр-ния"),
          QStringLiteral("Гравировать"),
          {{QStringLiteral("Основная"), figures::kSourceCopy},
           {QStringLiteral("Градиент"), figures::kWorkingCopy},
           {QStringLiteral("Выделение"), figures::kSelectionCopy},
           {QStringLiteral("Лазер"), figures::kToolCopy}},
          true};
}

}  // namespace

OutlineWindow::OutlineWindow(link::MachineLink& link, const link::MachineSettings& settings,
                             std::filesystem::path programDir, QWidget* parent)
    : FigureWindow(link, settings, std::move(programDir), outlineDesign(), parent),
      moves_(
          link::MotionContext(link, settings, [this] { return sendBox_->isChecked(); }),
          [this] { return scale_; }, link::OutlineMoves::WhenIdle::Continue) {
  const ToolFields laser =
      addToolPanel(QStringLiteral("Лазер"),
                   QStringLiteral("Задержка между шагами при грав-вке, микросек."), true);
  diameterField_ = laser.diameter;
  delayField_ = laser.delay;
  // A "." that reached the field some other way than typing becomes "," when it is left.
  widgets::OnFieldLeft(diameterField_, [this] {
    diameterField_->setText(diameterField_->text().replace('.', ','));
  });

  selectedButton_ = addButton(QStringLiteral("Выделенная"), "Command1", 1, 0);
  selectedButton_->setToolTip(QStringLiteral("Гравирует выделенную фигуру"));
  allButton_ = addButton(QStringLiteral("Все"), "Command2", 1, 1);
  allButton_->setToolTip(QStringLiteral("Гравирует границы всех фигур"));
  fillButton_ = addButton(QStringLiteral("Грав-ть всё"), "Command6", 2, 1);
  fillButton_->setToolTip(QStringLiteral("Гравирует все фигуры с заполнением"));
  gradientButton_ = addButton(QStringLiteral("Градиент"), "Command4", 0, 1);
  offsetButton_ = addButton(QStringLiteral("Отступить"), "Command5", 2, 0);

  connect(selectedButton_, &QPushButton::clicked, this, &OutlineWindow::OutlineSelected);
  connect(allButton_, &QPushButton::clicked, this, &OutlineWindow::OutlineAll);
  connect(fillButton_, &QPushButton::clicked, this, &OutlineWindow::FillAll);
  connect(gradientButton_, &QPushButton::clicked, this, &OutlineWindow::Gradient);
  connect(offsetButton_, &QPushButton::clicked, this, &OutlineWindow::Offset);

  openWith({}, {selectedButton_, allButton_, fillButton_, gradientButton_, offsetButton_},
           {{"Etching2_width", widthField_},
            {"Etching2_diameter", diameterField_},
            {"Etching2_delay", delayField_}});
}

OutlineFieldTexts OutlineWindow::fieldTexts() const {
  return {widthField_->text().toStdString(), diameterField_->text().toStdString(),
          delayField_->text().toStdString()};
}

std::optional<OutlineNumbers> OutlineWindow::readNumbers(bool withDelay) {
  const picture::PixelBuffer& tool = picture_.copy(figures::kToolCopy);
  return checkedNumbers(ReadOutlineNumbers(fieldTexts(), withDelay), [&](const OutlineNumbers& n) {
    // "Отступить" (no delay read) moves nothing: only its spot must fit.
    return withDelay ? OutlineRangeProblem(n, tool.width(), tool.height(), settings_)
                     : SpotRangeProblem(n, tool.width());
  });
}

OutlineParts OutlineWindow::partsFor(const OutlineNumbers& numbers) {
  picture::PixelBuffer& tool = picture_.copy(figures::kToolCopy);
  scale_ = {numbers.widthMm, tool.width()};
  return OutlineParts{moves_, settings_, figures_, tool, state_, numbers.laserDelay,
                      SpotRadiusOf(numbers, tool.width()),
                      [this] { return returnBox_->isChecked(); },
                      [this] { picture_.requestRedraw(); },
                      // Waits for the controller let events through themselves; a dry run
                      // lets them through every few milliseconds.
                      [pump = std::make_shared<link::PacedPump>(link_.pump())] { (*pump)(); },
                      [this] { job_.stepDone(); }};
}

void OutlineWindow::OutlineSelected() {
  runJob(
      [this] {
        const auto figure =
            figures::CheckSelectedFigure(figures_.tree, tree_->selectedKey(), link_.prompts());
        if (!figure) return;
        const auto numbers = readNumbers(true);
        if (!numbers) return;
        runRequest({OutlineJobKind::Selected, *figure, *numbers});
      },
      {diameterField_, delayField_, gradientButton_, offsetButton_});
}

void OutlineWindow::OutlineAll() {
  runJob(
      [this] {
        if (!figures::CheckFigureTree(figures_.tree, link_.prompts())) return;
        const auto numbers = readNumbers(true);
        if (!numbers) return;
        runRequest({OutlineJobKind::All, 0, *numbers});
      },
      {diameterField_, delayField_, gradientButton_, offsetButton_});
}

void OutlineWindow::FillAll() {
  runJob(
      [this] {
        const auto numbers = readNumbers(true);
        if (!numbers) return;
        runRequest({OutlineJobKind::Fill, 0, *numbers});
      },
      {diameterField_, delayField_, gradientButton_, offsetButton_});
}

OutlineStart OutlineWindow::startState() const {
  return {snapshot(), state_, moves_.record.place()};
}

void OutlineWindow::runRequest(const OutlineRequest& request) {
  runFollowed(followedRun(static_cast<int>(request.kind), moves_, state_,
                          [this, request] {
                            const auto gcode = startGcode(request);
                            RunOutline(request, partsFor(request.numbers),
                                       picture_.copy(figures::kSourceCopy),
                                       picture_.copy(figures::kWorkingCopy),
                                       [this] { parseFigures(); });
                            if (gcode) gcode->finish();
                          }),
              kOutlineDoneText);
}

std::vector<widgets::JobFollow::Plan> OutlineWindow::jobPlans() {
  std::function<widgets::PlanTask(int, std::int32_t)> plan;
  const auto read = ReadOutlineNumbers(fieldTexts(), true);
  const auto* numbers = std::get_if<OutlineNumbers>(&read);
  if (picture_.hasPicture() && numbers &&
      !OutlineRangeProblem(*numbers, picture_.width(), picture_.height(), settings_)) {
    // The plans run on their own thread with their own copies.
    auto start = std::make_shared<const OutlineStart>(startState());
    auto settings = std::make_shared<const link::MachineSettings>(settings_);
    const link::TimeModel model = link::AwaitedTimeModel(link_);
    plan = [=, returnToStart = returnBox_->isChecked(), link = &link_, n = *numbers](
               int job, std::int32_t figure) -> widgets::PlanTask {
      const OutlineRequest request{static_cast<OutlineJobKind>(job), figure, n};
      return [=](const std::atomic<bool>& cancelled) -> std::optional<link::JobEstimate> {
        return PlanOutline(request, *start, returnToStart, *settings, *link, model, cancelled);
      };
    };
  }
  // In the order of OutlineJobKind.
  return figureJobPlans({selectedButton_, allButton_, fillButton_}, plan);
}

std::unique_ptr<gcode::JobGcode> OutlineWindow::startGcode(const OutlineRequest& request) {
  return FigureWindow::startGcode(gcode::JobGcode::Tool::Laser, moves_.listener,
                                  OutlineJobName(request.kind),
                                  OutlineGcodeNumbers(fieldTexts(), request.numbers));
}

void OutlineWindow::Gradient() {
  // The working picture is what a running job traces and parses.
  if (jobRunning() || !picture_.hasPicture()) return;
  {
    widgets::BusyCursor busy;
    picture_.copy(figures::kWorkingCopy) = EdgeLines(picture_.copy(figures::kSourceCopy));
    figures_.resetTables();
  }
  picture_.requestRedraw();
  replanJobs();
}

void OutlineWindow::Offset() {
  if (jobRunning() || !picture_.hasPicture()) return;
  const auto numbers = readNumbers(false);
  if (!numbers) return;
  {
    widgets::BusyCursor busy;
    picture::PixelBuffer& working = picture_.copy(figures::kWorkingCopy);
    figures::OffsetFigures(working, SpotDiameterOf(*numbers, working.width()));
    figures_.resetTables();
  }
  picture_.requestRedraw();
  replanJobs();
}

void OutlineWindow::moveByMm(const manual::AxisDistances& d) {
  // This window has no job kind: the move is made at once, also during a job.
  moves_.ArduinoMoveMM(d.x, d.y, d.z);
}

}  // namespace vexa::outline
