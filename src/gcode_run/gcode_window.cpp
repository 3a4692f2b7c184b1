#include "gcode_run/gcode_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

#include "gcode/read_gcode_file.h"
#include "gcode_run/gcode_path_view.h"
#include "settings/path_text.h"
#include "widgets/job_progress_widget.h"
#include "widgets/machine_status_widget.h"

namespace vexa::gcode_run {

namespace {

constexpr int kWatchMs = 1000;
constexpr qint64 kShowEveryMs = 100;

QString MmText(double mm) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", mm);
  return QString::fromLatin1(text).replace('.', ',');  // the fields' decimal comma
}

// The path as the view draws it: Y up, as CAM programs mean it.
std::vector<ViewSegment> ViewOf(const gcode::GcodeProgram& program) {
  std::vector<ViewSegment> view;
  view.reserve(program.segments.size());
  float x = 0, y = 0;
  for (const gcode::Segment& s : program.segments) {
    view.push_back({x, y, float(s.x), float(s.y), s.work != 0});
    x = float(s.x);
    y = float(s.y);
  }
  return view;
}

}  // namespace

GcodeWindow::GcodeWindow(link::MachineLink& link, const link::MachineSettings& settings,
                         std::filesystem::path programDir, QWidget* parent)
    : QWidget(parent),
      link_(link),
      settings_(settings),
      programDir_(std::move(programDir)),
      job_(link),
      guard_(job_, *this, link.prompts()) {
  setObjectName("Form13");
  setWindowTitle(QStringLiteral("Выполнение G-кода"));
  buildPanels();
  const link::GateResult gate =
      status_->runStartupCheck(link_, link::TagRule{"MT", "OT"}, {sendBox_});
  // A box switched off but still ticked would send to a machine that cannot take the commands.
  if (!gate.controlsOn) sendBox_->setChecked(false);
  if (gate.controlsOn) {
    // The board decides the translation; without one the user does (a dry run).
    tag_ = gate.tag;
    firmwareBox_->setCurrentIndex(gate.tag == "OT" ? 1 : 0);
    firmwareBox_->setEnabled(false);
  }
  updateContinue();
  watchTimer_ = new QTimer(this);
  watchTimer_->setInterval(kWatchMs);
  connect(watchTimer_, &QTimer::timeout, this, &GcodeWindow::watch);
  watchTimer_->start();
  watch();  // the settings as they stand: a change from here on is planned anew
}

void GcodeWindow::buildPanels() {
  auto* columns = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  columns->addLayout(left);

  auto* filePanel = new QGroupBox(QStringLiteral("Файл G-кода"), this);
  auto* fileGrid = new QGridLayout(filePanel);
  pathField_ = new QLineEdit(filePanel);
  pathField_->setObjectName("Text1");
  pathField_->setReadOnly(true);
  openButton_ = new QPushButton(QStringLiteral("..."), filePanel);
  openButton_->setObjectName("Command2");
  fileGrid->addWidget(pathField_, 0, 0);
  fileGrid->addWidget(openButton_, 0, 1);
  infoLabel_ = new QLabel(QStringLiteral("Файл не открыт"), filePanel);
  infoLabel_->setObjectName("Label1");
  infoLabel_->setWordWrap(true);
  fileGrid->addWidget(infoLabel_, 1, 0, 1, 2);
  left->addWidget(filePanel);

  auto* runPanel = new QGroupBox(QStringLiteral("Выполнение"), this);
  auto* runGrid = new QGridLayout(runPanel);
  runGrid->addWidget(new QLabel(QStringLiteral("Прошивка:"), runPanel), 0, 0);
  firmwareBox_ = new QComboBox(runPanel);
  firmwareBox_->setObjectName("Combo1");
  firmwareBox_->addItems({QStringLiteral("Фреза (MT)"), QStringLiteral("Лазер (OT)")});
  firmwareBox_->setToolTip(
      QStringLiteral("Как переводить файл в команды станка, когда плата не ответила"));
  runGrid->addWidget(firmwareBox_, 0, 1);
  sendBox_ = new QCheckBox(QStringLiteral("Выполнять"), runPanel);
  sendBox_->setObjectName("Check1");
  sendBox_->setChecked(true);
  sendBox_->setToolTip(QStringLiteral("Без галки путь проходится без станка"));
  returnBox_ = new QCheckBox(QStringLiteral("С возвратом в исх."), runPanel);
  returnBox_->setObjectName("Check2");
  runGrid->addWidget(sendBox_, 1, 0);
  runGrid->addWidget(returnBox_, 1, 1);
  runButton_ = new QPushButton(QStringLiteral("Выполнить"), runPanel);
  runButton_->setObjectName("Command1");
  stopButton_ = new QPushButton(QStringLiteral("Стоп"), runPanel);
  stopButton_->setObjectName("Command9");
  runGrid->addWidget(runButton_, 2, 0);
  runGrid->addWidget(stopButton_, 2, 1);
  progressPanel_ = new widgets::JobProgressWidget(
      {"Label9", "ProgressBar1", "Command10"},
      QStringLiteral("Продолжить выполнение, прерванное обрывом связи, с места обрыва"), runPanel);
  runGrid->addWidget(progressPanel_, 3, 0, 1, 2);
  left->addWidget(runPanel);
  left->addStretch(1);
  status_ = new widgets::MachineStatusWidget(QStringLiteral("Label4"), this);
  left->addWidget(status_);

  auto* views = new QSplitter(Qt::Vertical, this);
  pathView_ = new GcodePathView(views);
  pathView_->setObjectName("Pict");
  textView_ = new QPlainTextEdit(views);
  textView_->setObjectName("Text2");
  textView_->setReadOnly(true);
  textView_->setLineWrapMode(QPlainTextEdit::NoWrap);
  textView_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  views->addWidget(pathView_);
  views->addWidget(textView_);
  views->setStretchFactor(0, 3);
  views->setStretchFactor(1, 1);
  columns->addWidget(views, 1);

  follow_ = new widgets::JobFollow(
      link_, *progressPanel_, [this] { return jobPlans(); }, this);
  connect(openButton_, &QPushButton::clicked, this, &GcodeWindow::chooseFile);
  connect(runButton_, &QPushButton::clicked, this, &GcodeWindow::runProgram);
  connect(stopButton_, &QPushButton::clicked, this, [this] { link_.StopRequested = true; });
  connect(progressPanel_->continueButton(), &QPushButton::clicked, this, &GcodeWindow::goOn);
  connect(firmwareBox_, &QComboBox::currentIndexChanged, this, [this] { follow_->replan(); });
  connect(returnBox_, &QCheckBox::toggled, this, [this] { follow_->replan(); });
  connect(sendBox_, &QCheckBox::toggled, this, &GcodeWindow::updateContinue);
}

void GcodeWindow::chooseFile() {
  if (job_.running()) return;
  const std::string folder =
      pathField_->text().isEmpty()
          ? settings::PathToUtf8(programDir_)
          : settings::PathToUtf8(
                settings::PathFromUtf8(pathField_->text().toStdString()).parent_path());
  const auto chosen = link_.prompts().chooseFileToOpen(
      "Открыть G-код", {{"G-код", "*.gcode;*.nc;*.ngc;*.tap;*.cnc;*.txt"}, {"Все файлы", "*"}},
      folder);
  if (chosen) openFile(settings::PathFromUtf8(*chosen));
}

bool GcodeWindow::openFile(const std::filesystem::path& path) {
  auto read = std::make_shared<gcode::GcodeFileRead>(gcode::ReadGcodeFile(path));
  if (read->error) {
    link_.prompts().message(link::kErrorCaption, read->error->message);
    return false;
  }
  const gcode::GcodeProgram& program = read->program;
  // Words the reader does not carry out, listed at once, before anything runs: a file whose
  // unknown words could move the machine is refused; the others may run without them.
  if (program.unknownMoves) {
    link_.prompts().message(link::kErrorCaption, gcode::UnknownWordsText(program));
    return false;
  }
  if (!program.unknown.empty() &&
      !link_.prompts().askYesNo(link::kWarningCaption,
                                gcode::UnknownWordsText(program) +
                                    "\r\nЭти слова не двигают станок. Выполнять файл без них?")) {
    return false;
  }
  // The text lives on in the view only.
  const std::string text = std::move(read->text);
  program_ = std::shared_ptr<const gcode::GcodeProgram>(read, &read->program);
  pathField_->setText(QString::fromStdString(settings::PathToUtf8(path)));
  showProgram(text);
  follow_->forgetInterrupted();
  updateContinue();
  follow_->replan();
  return true;
}

void GcodeWindow::showProgram(const std::string& text) {
  const gcode::Extent& e = program_->extent;
  infoLabel_->setText(QStringLiteral("Строк: %1\nX: %2 … %3 мм\nY: %4 … %5 мм\nZ: %6 … %7 мм")
                          .arg(program_->lines)
                          .arg(MmText(e.minX), MmText(e.maxX), MmText(e.minY), MmText(e.maxY),
                               MmText(e.minZ), MmText(e.maxZ)));
  pathView_->setPath(ViewOf(*program_));
  textView_->setPlainText(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

gcode::Firmware GcodeWindow::firmware() const {
  return firmwareBox_->currentIndex() == 1 ? gcode::Firmware::Laser : gcode::Firmware::Milling;
}

gcode::TranslateSettings GcodeWindow::translateSettings() const {
  return gcode::TranslateSettings::Of(settings_, firmware());
}

std::vector<widgets::JobFollow::Plan> GcodeWindow::jobPlans() {
  std::vector<widgets::JobFollow::Plan> plans{{runButton_->text(), {}}};
  if (!program_) return plans;
  // Planned on its own thread: the program is shared and never changed, the rest copied.
  plans[0].task = [program = program_, settings = translateSettings(),
                   back = returnBox_->isChecked(),
                   model = link::AwaitedTimeModel(link_)](const std::atomic<bool>&) {
    return EstimateRun(*program, settings, back, model);
  };
  return plans;
}

widgets::JobFollow::Run GcodeWindow::followedRun() {
  widgets::JobFollow::Run run;
  run.job = 0;
  run.replies = &sender_->replies();
  run.restore = [this] { pathView_->setPosition(std::nullopt); };
  run.body = [this](link::JobStream& stream) { sender_->run(&stream); };
  return run;
}

void GcodeWindow::runProgram() {
  if (job_.running()) return;
  if (!program_) {
    link_.prompts().message(link::kErrorCaption, "Файл G-кода не открыт. Выберите файл!");
    return;
  }
  status_->claimController();
  guard_.run(
      [this] {
        pacedPump_.emplace(link_.pump());
        sender_ = std::make_unique<GcodeSender>(SenderParts{
            link_, *program_, translateSettings(), [this] { return sendBox_->isChecked(); },
            [this] { return returnBox_->isChecked(); },
            [this](const gcode::StepCommand& command, const StepPlace& place) {
              follow(command, place);
            },
            [this] { (*pacedPump_)(); }});
        status_->showJobNote({});
        sinceShown_.start();
        const std::int64_t seconds = follow_->execute(followedRun());
        status_->showJobNote(QString::fromStdString(widgets::JobDoneText(kGcodeDoneText, seconds)));
      },
      {openButton_, firmwareBox_, returnBox_, progressPanel_->continueButton()});
  updateContinue();
}

// The tool's place on the path and the line at work, a few times a second: a run sends
// thousands of commands a second in a dry run.
void GcodeWindow::follow(const gcode::StepCommand& command, const StepPlace& place) {
  if (sinceShown_.elapsed() < kShowEveryMs) return;
  sinceShown_.restart();
  const gcode::TranslateSettings s = translateSettings();
  pathView_->setPosition(QPointF(place.x * s.mm.x, place.y * s.mm.y));
  showLine(command.line);
}

void GcodeWindow::showLine(std::uint32_t line) {
  if (line == 0) return;
  QTextCursor cursor(textView_->document()->findBlockByNumber(int(line) - 1));
  QTextEdit::ExtraSelection selection;
  selection.cursor = cursor;
  selection.format.setBackground(QColor(255, 235, 150));
  selection.format.setProperty(QTextFormat::FullWidthSelection, true);
  textView_->setExtraSelections({selection});
  textView_->setTextCursor(cursor);
  textView_->ensureCursorVisible();
}

bool GcodeWindow::mayGoOn() const {
  return follow_->mayGoOn(*sendBox_, job_.running());
}

void GcodeWindow::updateContinue() {
  progressPanel_->continueButton()->setEnabled(mayGoOn());
}

void GcodeWindow::goOn() {
  if (!mayGoOn()) return;
  if (!link_.prompts().askYesNo(link::kWarningCaption, follow_->goOnQuestion())) return;
  status_->claimController();
  guard_.run(
      [this] {
        status_->showJobNote({});
        const std::int64_t seconds = follow_->goOn();
        status_->showJobNote(QString::fromStdString(widgets::JobDoneText(kGcodeDoneText, seconds)));
      },
      {openButton_, firmwareBox_, returnBox_, progressPanel_->continueButton()});
  updateContinue();
}

void GcodeWindow::watch() {
  if (job_.running()) return;
  // The settings dialog and the link change these while the window stays open.
  const std::vector<double> settings{settings_.SM_X_ratio, settings_.SM_Y_ratio,
                                     settings_.SM_Z_ratio, double(settings_.SM_delay),
                                     double(link_.speed),  link_.pace.latencyMicros};
  if (settings != watchedSettings_) {
    const bool first = watchedSettings_.empty();
    watchedSettings_ = settings;
    if (!first) follow_->replan();
  }
  if (follow_->watchLinkBack(tag_, *status_, guard_, sendBox_,
                             {progressPanel_->continueButton()})) {
    updateContinue();
  }
}

void GcodeWindow::closeEvent(QCloseEvent* event) {
  if (!guard_.mayClose(event)) return;
  event->accept();
}

}  // namespace vexa::gcode_run
