#include "raster/engraving_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <limits>
#include <variant>

#include "picture/invert_picture.h"
#include "picture/picture_view.h"
#include "picture/pseudo_tone.h"
#include "picture/qt_picture_binding.h"
#include "picture/qt_raster_size_fields.h"
#include "gcode/gcode_file.h"
#include "raster/run_estimate.h"
#include "raster/run_numbers.h"
#include "widgets/job_progress_widget.h"
#include "widgets/machine_status_widget.h"
#include "widgets/qt_link_back.h"
#include "widgets/qt_millimetre_key_filter.h"

namespace vexa::raster {

namespace {

constexpr const char* kRefusalLine = "Гравировка невозможна.";
constexpr const char* kNoPictureText = "Картинка не загружена. Выберите файл картинки!";
// How often the window looks at the estimate's outside inputs and at a cut link.
constexpr int kWatchMs = 1000;

QLineEdit* makeField(const char* name, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  widgets::ApplyMillimetreKeyFilter(field);
  return field;
}

QCheckBox* makeBox(const char* name, const char* caption, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(name);
  return box;
}

}  // namespace

EngravingWindow::EngravingWindow(link::MachineLink& link, const link::MachineSettings& settings,
                                 std::filesystem::path programDir, Design design, QWidget* parent)
    : QWidget(parent),
      link_(link),
      settings_(settings),
      programDir_(std::move(programDir)),
      design_(std::move(design)),
      settingsFile_(programDir_ / "cnc.ini"),
      picture_({programDir_, design_.keys.key("image"), 1, kRefusalLine}, link.prompts(),
               picture::QtPictureDecoder()),
      raster_(picture_, settings, link.prompts()),
      // The width field is locked during a run and read at its start (gatherRun): the step
      // moves compute with numbers only.
      moves_(link::MotionContext(link, settings, [this] { return sendBox_->isChecked(); }),
             [this] { return runScale_; }),
      job_(link),
      guard_(job_, *this, link.prompts()) {
  setObjectName(design_.formName);
  buildPanels();
  picture::BindPictureWidgets(picture_, {view_,
                                         pathField_,
                                         {toolPanel_, widthField_->parentWidget(), settingsPanel_},
                                         {engraveButton_, stopButton_}});
  picture_.setEventPump(&link.pump());
  raster_.setLoading(true);
  new picture::RasterSizeFields(raster_, spotField_, widthField_, heightField_);

  connect(openButton_, &QPushButton::clicked, this, [this] { raster_.OpenPicture(); });
  connect(stopButton_, &QPushButton::clicked, this, [this] { link_.StopRequested = true; });
  connect(engraveButton_, &QPushButton::clicked, this, &EngravingWindow::engrave);
  connect(continueButton_, &QPushButton::clicked, this, &EngravingWindow::goOn);
  if (design_.laser) {
    raster_.setToneSteps([this](picture::PixelBuffer& fitted) {
      if (toneBox_->isChecked()) picture::PseudoTone(fitted);
      if (invertBox_->isChecked()) picture::InvertPicture(fitted);
    });
    for (QCheckBox* box : {toneBox_, invertBox_}) {
      connect(box, &QCheckBox::toggled, this, [this] { raster_.RefreshPicture(); });
    }
  }

  // The estimate follows the fields, the boxes and the picture. It is counted once the handler
  // at work has finished (a field that is left may refit the picture first), and never during
  // a run.
  estimateTimer_ = new QTimer(this);
  estimateTimer_->setSingleShot(true);
  estimateTimer_->setInterval(0);
  connect(estimateTimer_, &QTimer::timeout, this, &EngravingWindow::refreshEstimate);
  for (QLineEdit* field : {blackDwellField_, whiteDwellField_, spotField_, widthField_, heightField_}) {
    if (field) connect(field, &QLineEdit::textChanged, this, &EngravingWindow::scheduleEstimate);
  }
  for (QCheckBox* box : {toneBox_, invertBox_, returnBox_, doublePassBox_}) {
    if (box) connect(box, &QCheckBox::toggled, this, &EngravingWindow::scheduleEstimate);
  }
  connect(openButton_, &QPushButton::clicked, this, &EngravingWindow::scheduleEstimate);
  connect(sendBox_, &QCheckBox::toggled, this, &EngravingWindow::updateContinue);
  watchTimer_ = new QTimer(this);
  watchTimer_->setInterval(kWatchMs);
  connect(watchTimer_, &QTimer::timeout, this, &EngravingWindow::watch);
  watchTimer_->start();
}

void EngravingWindow::buildPanels() {
  auto* columns = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  columns->addLayout(left);
  view_ = new picture::PictureView(this);
  view_->setObjectName("Pict");
  columns->addWidget(view_, 1);

  auto* filePanel = new QGroupBox(QStringLiteral("Выбор файла"), this);
  auto* fileRow = new QHBoxLayout(filePanel);
  pathField_ = new QLineEdit(filePanel);
  pathField_->setObjectName("Text1");
  pathField_->setReadOnly(true);  // the path changes through "..." only
  openButton_ = new QPushButton(QStringLiteral("..."), filePanel);
  openButton_->setObjectName("Command2");
  fileRow->addWidget(pathField_, 1);
  fileRow->addWidget(openButton_);
  left->addWidget(filePanel);

  toolPanel_ = new QGroupBox(QStringLiteral("Настройка лазера"), this);
  auto* toolGrid = new QGridLayout(toolPanel_);
  dwellLabel_ =
      new QLabel(QStringLiteral("Задержка между шагами при грав-ке, микросек"), toolPanel_);
  dwellLabel_->setObjectName("Label3");
  dwellLabel_->setWordWrap(true);
  toolGrid->addWidget(dwellLabel_, 0, 0, 1, 2);
  blackDwellField_ = makeField("Text4", toolPanel_);
  toolGrid->addWidget(blackDwellField_, 1, 0);
  settingsPanel_ = new QGroupBox(QStringLiteral("Настройка"), this);
  auto* settingsColumn = new QVBoxLayout(settingsPanel_);
  auto* spotRow = new QHBoxLayout;
  spotRow->addWidget(new QLabel(QStringLiteral("Диаметр пятна, мм"), this));
  spotField_ = makeField("Text5", this);
  spotField_->setToolTip(QStringLiteral("Должен быть кратен перемещению на 1 шаг ШД"));
  spotRow->addWidget(spotField_);
  if (design_.laser) {
    whiteDwellField_ = makeField("Text3", toolPanel_);
    whiteDwellField_->setToolTip(QStringLiteral("Нижний порог лазера"));
    toolGrid->addWidget(whiteDwellField_, 1, 1);
    toolGrid->addLayout(spotRow, 2, 0, 1, 2);
    toneBox_ = makeBox("Check5", "Псевдо- тонирование", settingsPanel_);
    invertBox_ = makeBox("Check6", "Инвер- тирование", settingsPanel_);
    settingsColumn->addWidget(toneBox_);
    settingsColumn->addWidget(invertBox_);
  } else {
    settingsColumn->addLayout(spotRow);
  }
  left->addWidget(toolPanel_);

  auto* sizePanel = new QGroupBox(QStringLiteral("Размер готового изображения"), this);
  auto* sizeForm = new QFormLayout(sizePanel);
  widthField_ = makeField("Text6", sizePanel);
  heightField_ = makeField("Text7", sizePanel);
  sizeForm->addRow(design_.widthCaption, widthField_);
  sizeForm->addRow(design_.heightCaption, heightField_);
  // Side by side, so the column fits the height of a 1280 x 720 screen.
  auto* sizeRow = new QHBoxLayout;
  sizeRow->addWidget(sizePanel, 1);
  sizeRow->addWidget(settingsPanel_);
  left->addLayout(sizeRow);

  auto* runPanel = new QGroupBox(QStringLiteral("Гравирование"), this);
  auto* runGrid = new QGridLayout(runPanel);
  sendBox_ = makeBox("Check1", "Гравировать", runPanel);
  sendBox_->setChecked(true);  // cleared by the firmware check when the machine cannot take it
  returnBox_ = makeBox("Check2", "С возвратом в исх.", runPanel);
  pixelRedrawBox_ = makeBox("Check3", "Отрисовка", runPanel);
  pixelRedrawBox_->setToolTip(QStringLiteral("Без галки - построчная отрисовка"));
  runGrid->addWidget(sendBox_, 0, 0);
  runGrid->addWidget(returnBox_, 1, 0);
  runGrid->addWidget(pixelRedrawBox_, 2, 0);
  if (design_.laser) {
    exportBox_ = makeBox("Check4", "G-код", runPanel);
    exportBox_->setToolTip(QStringLiteral("G-код записывается в файл program.gcode"));
    doublePassBox_ = makeBox("Check7", "Двойной проход", runPanel);
    runGrid->addWidget(exportBox_, 0, 1);
    runGrid->addWidget(doublePassBox_, 1, 1);
  }
  engraveButton_ = new QPushButton(QStringLiteral("Гравировать"), runPanel);
  engraveButton_->setObjectName("Command1");
  stopButton_ = new QPushButton(QStringLiteral("Стоп"), runPanel);
  stopButton_->setObjectName("Command9");
  runGrid->addWidget(engraveButton_, 3, 0);
  runGrid->addWidget(stopButton_, 3, 1);
  progressPanel_ = new widgets::JobProgressWidget(
      {"Label9", "ProgressBar1", "Command10"},
      QStringLiteral("Продолжить гравировку, прерванную обрывом связи, с места обрыва"), runPanel);
  continueButton_ = progressPanel_->continueButton();
  runGrid->addWidget(progressPanel_, 4, 0, 1, 2);
  left->addWidget(runPanel);
  left->addStretch(1);

  status_ = new widgets::MachineStatusWidget(QStringLiteral("Label4"), this);
  for (QLabel* label : status_->findChildren<QLabel*>()) {
    if (label->objectName().isEmpty()) label->setObjectName("Label8");
  }
  left->addWidget(status_);
}

void EngravingWindow::openWith(const std::string& tag) {
  tag_ = tag;
  const link::GateResult gate = status_->runStartupCheck(link_, link::TagRule{tag}, {sendBox_});
  // A box switched off but still ticked would send to a machine that cannot take the commands.
  if (!gate.controlsOn) sendBox_->setChecked(false);
  firmwareChecked_ = gate.controlsOn;
  const EngravingSettings stored = ReadEngravingSettings(settingsFile_, design_.keys, programDir_);
  blackDwellField_->setText(QString::fromStdString(stored.delay));
  if (whiteDwellField_) whiteDwellField_->setText(QString::fromStdString(stored.min));
  picture_.setPath(stored.image);
  spotField_->setText(QString::fromStdString(stored.diameter));
  widthField_->setText(QString::fromStdString(stored.width));
  if (toneBox_) {
    toneBox_->setChecked(stored.pseudo);
    invertBox_->setChecked(stored.invert);
  }
  raster_.FinishOpening();
  refreshEstimate();
}

std::variant<RunNumbers, std::string> EngravingWindow::readNumbers(
    const DwellFieldNames& names) const {
  RunNumberTexts texts;
  texts.blackDwell = blackDwellField_->text().toStdString();
  if (whiteDwellField_) texts.whiteDwell = whiteDwellField_->text().toStdString();
  texts.targetWidth = widthField_->text().toStdString();
  texts.targetHeight = heightField_->text().toStdString();
  return ReadRunNumbers(texts, names);
}

RunParts EngravingWindow::partsWith(const RunNumbers& numbers) {
  auto boxOf = [](QCheckBox* box) -> std::function<bool()> {
    if (box == nullptr) return {};
    return [box] { return box->isChecked(); };
  };
  RunBoxes boxes{boxOf(sendBox_), boxOf(pixelRedrawBox_), boxOf(returnBox_), boxOf(doublePassBox_)};
  std::optional<std::filesystem::path> exportPath;
  if (exportBox_ && exportBox_->isChecked()) exportPath = programDir_ / gcode::kGcodeFileName;
  RunParts parts{link_,
                  moves_,
                  settings_,
                  picture_.copy(),
                  [this] { picture_.RedrawPicture(); },
                  [this] { job_.stepDone(); },
                  std::move(boxes),
                  numbers,
                  RunRules{},
                  exportPath,
                  link::SystemWholeSeconds,
                  firmwareChecked_};
  if (exportPath) {
    // The form chosen in the settings window, read at each run.
    const settings::SettingsSnapshot ini = settingsFile_.ReadSettings();
    parts.dialect = gcode::ReadDialect(ini);
    parts.standard = gcode::ReadStandardOptions(ini);
  }
  return parts;
}

std::optional<RunParts> EngravingWindow::gatherRun() {
  if (!picture_.hasPicture()) {
    link_.prompts().message(link::kErrorCaption, kNoPictureText);
    return std::nullopt;
  }
  const auto numbers = readNumbers(dwellNames());
  if (const auto* problem = std::get_if<std::string>(&numbers)) {
    link_.prompts().message(link::kErrorCaption, *problem);
    return std::nullopt;
  }
  if (const auto problem = RunRangeProblem(std::get<RunNumbers>(numbers), picture_.width(),
                                           picture_.height(), settings_)) {
    link_.prompts().message(link::kErrorCaption, *problem);
    return std::nullopt;
  }
  runScale_ = {std::get<RunNumbers>(numbers).targetWidth, picture_.width()};
  return partsWith(std::get<RunNumbers>(numbers));
}

std::optional<link::JobEstimate> EngravingWindow::estimateOf(const RunParts& parts) const {
  RunParts moded = parts;
  applyMode(moded);
  const EstimateChoices choices{doublePassBox_ && moded.boxes.doublePass && doublePassBox_->isChecked(),
                                returnBox_->isChecked()};
  return EstimateRun(moded.bitmap, moded.numbers, moded.rules, settings_, choices,
                     RasterTimeModel(link_.pace, link_.speed));
}

EngravingWindow::EstimateKey EngravingWindow::estimateKey() const {
  return {settings_.SM_X_ratio, settings_.SM_Y_ratio, settings_.SM_delay, link_.speed,
          link_.pace.latencyMicros, picture_.width(), picture_.height()};
}

void EngravingWindow::scheduleEstimate() {
  estimateTimer_->start();
}

void EngravingWindow::refreshEstimate() {
  if (job_.running()) return;
  estimatedWith_ = estimateKey();
  estimate_.reset();
  if (picture_.hasPicture()) {
    const auto numbers = readNumbers(dwellNames());
    if (const auto* read = std::get_if<RunNumbers>(&numbers)) estimate_ = estimateOf(partsWith(*read));
  }
  progressPanel_->showEstimate(estimate_);
  updateContinue();
}

link::JobState::Outcome EngravingWindow::runJob(const std::function<void()>& job) {
  // What the run works on stays as it was at its start. Locking comes first: a field that loses
  // the focus runs its rule, which may refit the picture, before the run reads anything.
  QList<QWidget*> locked{openButton_, spotField_, widthField_, heightField_, continueButton_};
  for (QWidget* control : {static_cast<QWidget*>(toneBox_), static_cast<QWidget*>(invertBox_),
                           static_cast<QWidget*>(exportBox_)}) {
    if (control) locked.append(control);
  }
  status_->claimController();
  const link::JobState::Outcome outcome = guard_.run(job, locked);
  refreshEstimate();
  return outcome;
}

void EngravingWindow::runWatched(RunParts parts, InterruptedRun started) {
  applyMode(parts);
  parts.estimate = estimateOf(parts);
  parts.showProgress = [this](const link::ProgressReport& report) {
    progressPanel_->showProgress(report);
  };
  parts.journal = &journal_;
  progressPanel_->startRun();
  const std::uint64_t failures = link_.readFailures();
  // The journal is read once the link abort has unwound the run: only a job entry point
  // catches it.
  struct NoteCut {
    EngravingWindow& window;
    std::uint64_t failures;
    InterruptedRun started;
    ~NoteCut() {
      window.interrupted_ =
          NoteInterruption(window.link_, failures, std::move(started), window.journal_);
      window.linkBack_ = false;
    }
  } noteCut{*this, failures, std::move(started)};
  runEngraving(std::move(parts));
}

void EngravingWindow::engrave() {
  runJob([this] {
    auto parts = gatherRun();
    if (!parts) return;
    // A fresh run gives up an interrupted one; its marks go.
    if (interrupted_ && SameLevels(picture_.copy(), interrupted_->picture)) {
      picture_.copy() = interrupted_->picture;
    }
    interrupted_.reset();
    InterruptedRun started{picture_.copy(), parts->numbers, parts->exportPath, {}, 1, 1, 0};
    runWatched(std::move(*parts), std::move(started));
  });
  updateContinue();
}

bool EngravingWindow::mayGoOn() const {
  return interrupted_ && linkBack_ && !job_.running() && sendBox_->isChecked() &&
         sendBox_->isEnabled() && SameLevels(picture_.copy(), interrupted_->picture);
}

void EngravingWindow::updateContinue() {
  continueButton_->setEnabled(mayGoOn());
}

void EngravingWindow::goOn() {
  if (!mayGoOn()) return;
  if (!link_.prompts().askYesNo(link::kWarningCaption,
                                ResumeQuestionText(interrupted_->row, interrupted_->rows))) {
    return;
  }
  runJob([this] {
    InterruptedRun started = *interrupted_;
    // The run walks the unmarked picture again; what the controller confirmed is marked anew.
    picture_.copy() = started.picture;
    picture_.requestRedraw();
    runScale_ = {started.numbers.targetWidth, started.picture.width()};
    RunParts parts = partsWith(started.numbers);
    parts.exportPath = started.exportPath;
    parts.resume = started.resume;
    started.resume = {};
    runWatched(std::move(parts), std::move(started));
  });
  updateContinue();
}

void EngravingWindow::watch() {
  if (job_.running()) return;
  if (estimatedWith_ != estimateKey()) refreshEstimate();
  if (interrupted_ && !linkBack_) watchLinkBack();
}

void EngravingWindow::watchLinkBack() {
  if (!widgets::LinkCameBack(link_, interrupted_->opening, tag_, *status_, guard_, sendBox_,
                             {engraveButton_, continueButton_})) {
    return;
  }
  linkBack_ = true;
  firmwareChecked_ = true;
  updateContinue();
}

EngravingSettings EngravingWindow::fieldSettings() const {
  EngravingSettings fields;
  fields.delay = blackDwellField_->text().toStdString();
  if (whiteDwellField_) fields.min = whiteDwellField_->text().toStdString();
  fields.diameter = spotField_->text().toStdString();
  fields.width = widthField_->text().toStdString();
  fields.pseudo = toneBox_ && toneBox_->isChecked();
  fields.invert = invertBox_ && invertBox_->isChecked();
  return fields;
}

void EngravingWindow::closeEvent(QCloseEvent* event) {
  if (!guard_.mayClose(event)) return;
  WriteEngravingSettings(settingsFile_, design_.keys, fieldSettings());
  picture_.ReleasePicture();
  event->accept();
}

}  // namespace vexa::raster
