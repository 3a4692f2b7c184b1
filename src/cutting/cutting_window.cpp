#include "cutting/cutting_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <new>

#include "cutting/cutting_job.h"
#include "cutting/cutting_numbers.h"
#include "cutting/cutting_plan.h"
#include "cutting/smooth_lines.h"
#include "cutting/thinning.h"
#include "cutting/tone_operations.h"
#include "link/job_stream.h"
#include "manual/move_by_mm_widget.h"

namespace vexa::cutting {

namespace {

constexpr const char* kOutOfMemoryText = "Не хватает памяти для работы с этим рисунком.";

figures::FigureWindowDesign cuttingDesign() {
  figures::FigureWindowDesign design{"Form9",
                                     QStringLiteral("Резка/гравировка по рисунку"),
                                     "OT",
                                     "Etching9_image",
                                     "Text1",
                                     "Гравировка невозможна.",
                                     QStringLiteral("Размер готового изобр-ния"),
                                     QStringLiteral("Гравировать"),
                                     {{QStringLiteral("Основная"), figures::kSourceCopy},
                                      {QStringLiteral("Шаблон"), figures::kSelectionCopy},
                                      {QStringLiteral("Лазер"), figures::kToolCopy}}};
  design.figureTree = false;
  return design;
}

}  // namespace

CuttingWindow::CuttingWindow(link::MachineLink& link, const link::MachineSettings& settings,
                             std::filesystem::path programDir, QWidget* parent)
    : FigureWindow(link, settings, std::move(programDir), cuttingDesign(), parent),
      moves_(
          link::MotionContext(link, settings, [this] { return sendBox_->isChecked(); }),
          [this] { return scale_; }, link::OutlineMoves::WhenIdle::Sleep) {
  delayField_ = addToolPanel(QString(),
                             QStringLiteral("Задержка между шагами при грав-вке, микросек."), false)
                    .delay;

  QGroupBox* operations = addPanel(QString());
  operations->setObjectName("Frame6");
  operationsPanel_ = operations;
  auto* operationGrid = new QGridLayout(operations);
  auto addOperation = [&](const QString& text, const char* name, int index,
                          std::function<void()> operation) {
    auto* button = new QPushButton(text, operations);
    button->setObjectName(name);
    operationGrid->addWidget(button, index / 2, index % 2);
    connect(button, &QPushButton::clicked, this, [this, operation] { runWork(operation); });
    operationButtons_ << button;
    return button;
  };
  // The buttons' own pass number is 1; "Обрезка" ignores whether its pass changed anything.
  addOperation(QStringLiteral("Подготовить"), "Command3", 0,
               [this] { PrepareGray(pictures().working, 1, display_); });
  addOperation(QStringLiteral("Контраст"), "Command4", 1,
               [this] { RaiseContrast(pictures().working, 1, display_); });
  QPushButton* trimButton = addOperation(QStringLiteral("Обрезка"), "Command5", 2,
                                         [this] { TrimPixels(pictures().working, 1, display_); });
  addOperation(QStringLiteral("Очистить"), "Command6", 3,
               [this] { ClearSpecks(pictures().working, 1, display_); });
  addOperation(QStringLiteral("Ч/Б"), "Command10", 4,
               [this] { MakeBlackWhite(pictures().working, 1, display_); });
  addOperation(QStringLiteral("Сглаживание"), "Command11", 5,
               [this] { SmoothLines(pictures().working, display_); });
  operations->hide();
  showCopyWithPanel(figures::kWorkingCopy, operations);

  processButton_ = addButton(QStringLiteral("Обработать"), "Command1", 0, 0);
  cutButton_ = addButton(QStringLiteral("Резать"), "Command2", 0, 1);
  connect(processButton_, &QPushButton::clicked, this, &CuttingWindow::ProcessPicture);
  connect(cutButton_, &QPushButton::clicked, this, &CuttingWindow::CutByPicture);

  statusLabel_ = new QLabel(QStringLiteral("Действие"), this);
  statusLabel_->setObjectName("Label7");
  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName("ProgressBar1");
  progressBar_->setRange(0, 100);
  // Their room stays while they are hidden, so the pictures do not jump at every operation.
  for (QWidget* shownWhileWorking : std::initializer_list<QWidget*>{statusLabel_, progressBar_}) {
    QSizePolicy policy = shownWhileWorking->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    shownWhileWorking->setSizePolicy(policy);
    addBelowPictures(shownWhileWorking);
    shownWhileWorking->hide();
  }

  display_.show = [this](const std::string& status) {
    statusLabel_->setText(QString::fromStdString(status));
    progressBar_->setValue(0);
    statusLabel_->show();
    progressBar_->show();
  };
  display_.progress = [this](int value) { progressBar_->setValue(value); };
  display_.hide = [this] {
    statusLabel_->hide();
    progressBar_->hide();
  };
  display_.keepAlive = [this] { keepAlive(); };
  display_.written = [this] {
    if (operationsPanel_->isVisibleTo(this)) redrawAll();
  };

  // "Обработать" is switched with "Обрезка" and "Резать": without a picture there is nothing to
  // process.
  openWith({}, {processButton_, trimButton, cutButton_},
           {{"Etching9_width", widthField_}, {"Etching9_delay", delayField_}});
}

CuttingPictures CuttingWindow::pictures() {
  return {picture_.copy(figures::kWorkingCopy), picture_.copy(figures::kSelectionCopy),
          picture_.copy(figures::kToolCopy)};
}

void CuttingWindow::runWork(const std::function<void()>& work) {
  // The manual move would mix its reply into the job's; the fields and buttons would change
  // what the job works on. "Гравировать" cleared in the middle of a stroke would leave the laser
  // burning on one spot, as nothing more would be sent.
  QList<QWidget*> locked{delayField_, processButton_, cutButton_, moveGroup_->moveButton(),
                         sendBox_};
  locked << operationButtons_;
  runJob(
      [&] {
        closing_ = false;
        pacedPump_.emplace(link_.pump());  // the job's first call lets events through
        if (!picture_.hasPicture()) return;
        try {
          work();
        } catch (const WorkAbandoned&) {
          // The window closes once the job has unwound; nothing was sent.
        } catch (const std::bad_alloc&) {
          link_.prompts().message(link::kErrorCaption, kOutOfMemoryText);
        }
      },
      locked);
  replanJobs();  // the processing changes what "Резать" cuts
}

void CuttingWindow::ProcessPicture() {
  runWork([this] {
    cutting::ProcessPicture(
        {programDir_, link_.prompts(), pictures(), display_, [this] { redrawAll(); }});
  });
}

void CuttingWindow::CutByPicture() {
  runWork([this] {
    const auto numbers = checkedNumbers(
        ReadCuttingNumbers(widthField_->text().toStdString(), delayField_->text().toStdString()),
        [this](const CuttingNumbers& read) {
          return CuttingRangeProblem(read, picture_.width(), picture_.height(), settings_);
        });
    if (!numbers) return;
    const CuttingNumbers n = *numbers;
    widgets::JobFollow::Run run;
    run.replies = &moves_.record.replyBuffer;
    run.restore = [this, start = snapshot(), place = moves_.record.place()] {
      restore(start);
      moves_.record.moveTo(place);
    };
    run.body = [this, n](link::JobStream& stream) {
      scale_ = {n.widthMm, picture_.width()};
      CuttingJob job({moves_, settings_, link_.prompts(), pictures(), n.stepDelay,
                      [this] { return returnBox_->isChecked(); }, [this] { redrawAll(); },
                      [this] { (*pacedPump_)(); }, [this] { return closing_; },
                      [this] { job_.stepDone(); }});
      const auto gcode = startGcode(gcode::JobGcode::Tool::Laser, moves_.listener, kCuttingJobName,
                                    CuttingGcodeNumbers(n));
      link::StreamScope followed(moves_.stream, stream);
      job.CutByPicture();
      if (gcode) gcode->finish();
    };
    runFollowed(std::move(run), kCuttingDoneText);
  });
}

std::optional<CuttingNumbers> CuttingWindow::quietNumbers() const {
  const auto read =
      ReadCuttingNumbers(widthField_->text().toStdString(), delayField_->text().toStdString());
  const auto* numbers = std::get_if<CuttingNumbers>(&read);
  if (!numbers || CuttingRangeProblem(*numbers, picture_.width(), picture_.height(), settings_)) {
    return std::nullopt;
  }
  return *numbers;
}

std::vector<widgets::JobFollow::Plan> CuttingWindow::jobPlans() {
  std::vector<widgets::JobFollow::Plan> plans{{cutButton_->text(), {}}};
  const auto numbers = quietNumbers();
  if (!picture_.hasPicture() || !numbers) return plans;
  // The plan runs on its own thread with its own copies.
  auto start =
      std::make_shared<const CuttingStart>(CuttingStart{snapshot(), moves_.record.place()});
  auto settings = std::make_shared<const link::MachineSettings>(settings_);
  const link::TimeModel model = link::AwaitedTimeModel(link_);
  const bool returnToStart = returnBox_->isChecked();
  link::MachineLink* link = &link_;
  const CuttingNumbers n = *numbers;
  plans[0].task = [=](const std::atomic<bool>& cancelled) -> std::optional<link::JobEstimate> {
    return PlanCutting(n, *start, returnToStart, *settings, *link, model, cancelled);
  };
  return plans;
}

void CuttingWindow::keepAlive() {
  (*pacedPump_)();
  if (closing_) throw WorkAbandoned();
}

void CuttingWindow::moveByMm(const manual::AxisDistances& d) {
  moves_.ArduinoMoveMM(d.x, d.y, d.z);
}

void CuttingWindow::closeEvent(QCloseEvent* event) {
  if (jobRunning()) closing_ = true;
  FigureWindow::closeEvent(event);
}

}  // namespace vexa::cutting
