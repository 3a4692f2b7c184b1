#include "scanner/scanner_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <variant>

#include "link/job_stream.h"
#include "manual/move_by_mm_widget.h"
#include "picture/picture_view.h"
#include "scanner/height_picture.h"
#include "scanner/picture_size.h"
#include "scanner/scan_box_widget.h"
#include "scanner/scan_numbers.h"
#include "scanner/scan_run.h"
#include "scanner/scanner_settings.h"
#include "widgets/job_progress_widget.h"
#include "widgets/machine_status_widget.h"
#include "widgets/qt_busy_cursor.h"
#include "widgets/qt_field_leave.h"
#include "widgets/qt_link_back.h"

namespace vexa::scanner {

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

std::string Text(const QLineEdit* field) {
  return field->text().toStdString();
}

}  // namespace

ScannerWindow::ScannerWindow(link::MachineLink& link, const link::MachineSettings& settings,
                             std::filesystem::path programDir, QWidget* parent)
    : QWidget(parent),
      link_(link),
      settings_(settings),
      programDir_(std::move(programDir)),
      settingsFile_(programDir_ / "cnc.ini"),
      moves_(link::MotionContext(link, settings, [this] { return scanBox_->isChecked(); })),
      job_(link),
      guard_(job_, *this, link.prompts()),
      preview_(PictureSize{}.width + kBoxMargin, PictureSize{}.height + kBoxMargin) {
  setObjectName("Form2");
  setWindowTitle(QStringLiteral("3D Сканер"));
  buildPanels();

  const link::GateResult gate =
      status_->runStartupCheck(link_, link::TagRule{"ST"}, {scanBox_, moveGroup_->moveButton()});
  // A box switched off but still ticked would drive a machine that cannot take the commands.
  if (!gate.controlsOn) scanBox_->setChecked(false);
  loadSettings();
  refreshEstimate();
}

QGridLayout* ScannerWindow::addFieldGroup(QGridLayout* controls, int row, int column,
                                          const char* title,
                                          std::initializer_list<FieldRow> fields,
                                          const char* unit) {
  auto* group = new QGroupBox(QString::fromUtf8(title), this);
  auto* grid = new QGridLayout(group);
  int line = 0;
  for (const FieldRow& field : fields) {
    *field.field = new QLineEdit(group);
    (*field.field)->setObjectName(field.name);
    grid->addWidget(new QLabel(QString::fromUtf8(field.caption), group), line, 0);
    grid->addWidget(*field.field, line, 1);
    if (unit != nullptr) grid->addWidget(new QLabel(QString::fromUtf8(unit), group), line, 2);
    ++line;
  }
  controls->addWidget(group, row, column);
  return grid;
}

void ScannerWindow::buildPanels() {
  auto* columns = new QHBoxLayout(this);
  auto* controls = new QGridLayout;
  columns->addLayout(controls);

  addFieldGroup(controls, 0, 0, "Размеры сетки",
                {{"Text3", "X:", &meshWidthField_}, {"Text4", "Y:", &meshHeightField_}}, "точек");
  for (QLineEdit* field : {meshWidthField_, meshHeightField_}) {
    // Three digits hold every mesh the walk can take; the validator also keeps pasted text out.
    field->setMaxLength(3);
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
    field->installEventFilter(this);
    // Passing through a field without changing it keeps the picture in the box.
    widgets::OnFieldLeft(field, [this, field] {
      if (field->text() != appliedMeshText(field)) meshFieldLeft(field);
    });
  }
  addFieldGroup(controls, 0, 1, "Область сканирования",
                {{"Text8", "X:", &areaWidthField_}, {"Text9", "Y:", &areaHeightField_}}, "мм");
  QGridLayout* sizeGrid = addFieldGroup(
      controls, 1, 0, "Размеры изображения в пикселях",
      {{"Text6", "Ширина:", &pictureWidthField_}, {"Text7", "Высота:", &pictureHeightField_}},
      nullptr);
  QWidget* sizeGroup = pictureWidthField_->parentWidget();
  for (QLineEdit* field :
       {areaWidthField_, areaHeightField_, pictureWidthField_, pictureHeightField_}) {
    widgets::OnFieldLeft(field, [this, field] { fieldLeft(field); });
  }
  applySizeButton_ = new QPushButton(QStringLiteral("Установить"), sizeGroup);
  applySizeButton_->setObjectName("Command7");
  sizeGrid->addWidget(applySizeButton_, 2, 0, 1, 2);

  moveGroup_ = new manual::MoveByMmWidget(
      link_.prompts(), [this](const manual::AxisDistances& d) { moveByMm(d.x, d.y, d.z); }, this);
  moveGroup_->moveButton()->setObjectName("Command3");
  controls->addWidget(moveGroup_, 1, 1);

  auto* scanPanel = new QGroupBox(this);
  auto* scanGrid = new QGridLayout(scanPanel);
  scanBox_ = new QCheckBox(QStringLiteral("Сканировать"), scanPanel);
  scanBox_->setObjectName("Check1");
  scanBox_->setChecked(true);  // cleared by the firmware check when the machine cannot take it
  scanButton_ = new QPushButton(QStringLiteral("Сканировать"), scanPanel);
  scanButton_->setObjectName("Command6");
  stopButton_ = new QPushButton(QStringLiteral("Стоп"), scanPanel);
  stopButton_->setObjectName("Command9");
  readingLabel_ = new QLabel(QStringLiteral("Данные:"), scanPanel);
  readingLabel_->setObjectName("Label9");
  scanGrid->addWidget(scanBox_, 0, 0, 1, 2);
  scanGrid->addWidget(scanButton_, 1, 0);
  scanGrid->addWidget(stopButton_, 1, 1);
  scanGrid->addWidget(readingLabel_, 2, 0, 1, 2);
  progressPanel_ = new widgets::JobProgressWidget(
      {"Label14", "ProgressBar2", "Command12"},
      QStringLiteral("Продолжить сканирование, прерванное обрывом связи, с первой неизмеренной "
                     "точки"),
      scanPanel);
  scanGrid->addWidget(progressPanel_, 3, 0, 1, 2);
  controls->addWidget(scanPanel, 2, 0);

  auto* picturePanel = new QGroupBox(this);
  auto* pictureColumn = new QVBoxLayout(picturePanel);
  interpolateButton_ = new QPushButton(QStringLiteral("Интерполировать"), picturePanel);
  interpolateButton_->setObjectName("Command2");
  saveButton_ = new QPushButton(QStringLiteral("Сохранить в BMP"), picturePanel);
  saveButton_->setObjectName("Command1");
  pictureColumn->addWidget(interpolateButton_);
  pictureColumn->addWidget(saveButton_);
  pictureColumn->addStretch(1);
  controls->addWidget(picturePanel, 2, 1);

  status_ = new widgets::MachineStatusWidget(QStringLiteral("Label4"), this);
  controls->addWidget(status_, 3, 0, 1, 2);
  controls->setRowStretch(4, 1);

  // A large box scrolls instead of pushing the window beyond the screen.
  auto* scroll = new QScrollArea(this);
  box_ = new ScanBoxWidget(scroll);
  box_->view()->setPicture(&preview_.image());
  scroll->setWidget(box_);
  scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  columns->addWidget(scroll, 1);

  connect(scanButton_, &QPushButton::clicked, this, &ScannerWindow::ScanSurface);
  connect(progressPanel_->continueButton(), &QPushButton::clicked, this, &ScannerWindow::goOn);
  for (QLineEdit* field : {meshWidthField_, meshHeightField_, areaWidthField_, areaHeightField_}) {
    connect(field, &QLineEdit::textChanged, this, &ScannerWindow::refreshEstimate);
  }
  connect(scanBox_, &QCheckBox::toggled, this, &ScannerWindow::updateContinue);
  auto* watchTimer = new QTimer(this);
  watchTimer->setInterval(1000);
  connect(watchTimer, &QTimer::timeout, this, &ScannerWindow::watch);
  watchTimer->start();
  connect(stopButton_, &QPushButton::clicked, this, [this] { link_.StopRequested = true; });
  connect(interpolateButton_, &QPushButton::clicked, this,
          &ScannerWindow::InterpolateHeightPicture);
  connect(saveButton_, &QPushButton::clicked, this, &ScannerWindow::SaveHeightPicture);
  connect(applySizeButton_, &QPushButton::clicked, this, &ScannerWindow::ApplyPictureSize);
  connect(box_, &ScanBoxWidget::dragRequested, this, &ScannerWindow::dragBoxTo);
}

void ScannerWindow::loadSettings() {
  showFields(OpenScannerFields(ReadScannerSettings(settingsFile_), preview_));
  appliedMeshWidth_ = meshWidthField_->text();
  appliedMeshHeight_ = meshHeightField_->text();
  showPreviewBox();
}

ScannerFields ScannerWindow::fields() const {
  return {Text(meshWidthField_),  Text(meshHeightField_),   Text(areaWidthField_),
          Text(areaHeightField_), Text(pictureWidthField_), Text(pictureHeightField_)};
}

void ScannerWindow::showFields(const ScannerFields& fields) {
  for (const auto& [field, text] : {std::pair{meshWidthField_, &fields.meshWidth},
                                    {meshHeightField_, &fields.meshHeight},
                                    {areaWidthField_, &fields.areaWidth},
                                    {areaHeightField_, &fields.areaHeight},
                                    {pictureWidthField_, &fields.pictureWidth},
                                    {pictureHeightField_, &fields.pictureHeight}}) {
    if (Text(field) != *text) field->setText(Text(*text));
  }
}

void ScannerWindow::ScanSurface() {
  const auto numbers = CheckScanFields(fields(), settings_);
  if (const auto* problem = std::get_if<ScanProblem>(&numbers)) {
    if (!job_.running()) link_.prompts().message(problem->caption, problem->text);
    return;
  }
  interrupted_.reset();  // a fresh scan gives up an interrupted one
  runScan(std::get<ScanNumbers>(numbers), 0);
}

void ScannerWindow::runScan(const ScanNumbers& numbers, std::int64_t firstSent) {
  // What the scan works on stays as it was at its start: the mesh and area, the box it draws in
  // and the machine, which only the scan moves meanwhile.
  const QList<QWidget*> locked{meshWidthField_,          meshHeightField_,
                               areaWidthField_,          areaHeightField_,
                               pictureWidthField_,       pictureHeightField_,
                               applySizeButton_,         interpolateButton_,
                               moveGroup_->moveButton(), box_,
                               progressPanel_->continueButton()};
  status_->claimController();
  guard_.run(
      [&] {
        const int points = numbers.nx * numbers.ny;
        QString remaining;
        int measured = 0;
        auto show = [&] {
          progressPanel_->showText(remaining.toStdString() + (remaining.isEmpty() ? "" : ", ") +
                                   "точка " + std::to_string(measured) + " из " +
                                   std::to_string(points));
        };
        std::optional<link::JobProgress> progress;
        const auto estimate = EstimateScan(numbers, settings_, link::AwaitedTimeModel(link_));
        if (estimate) {
          progress.emplace(
              *estimate,
              [&](const link::ProgressReport& report) {
                progressPanel_->showProgress(report);
                remaining = progressPanel_->label()->text();
                show();
              },
              link::JobClock(link_));
        }
        progressPanel_->startRun();
        linkBack_ = false;
        const std::uint64_t failures = link_.readFailures();
        ScanRun run(
            ScanParts{link_,
                      moves_,
                      settings_,
                      numbers,
                      [this] { return scanBox_->isChecked(); },
                      preview_,
                      [this] { showPreview(); },
                      [this](const std::string& text) { readingLabel_->setText(Text(text)); },
                      {},
                      firstSent,
                      progress ? &*progress : nullptr,
                      // Shown with the next report of the progress: at most 4 times a second.
                      [&](int done) { measured = done; }},
            mesh_);
        // A read that failed during the scan cut the line: the scan can go on from the first
        // point whose reading never came, keeping the readings it has.
        struct NoteCut {
          ScannerWindow& window;
          const ScanRun& run;
          const ScanNumbers& numbers;
          std::uint64_t failures;
          ~NoteCut() {
            if (window.link_.readFailures() != failures) {
              window.interrupted_ = InterruptedScan{numbers, run.confirmed(),
                                                    window.link_.openings()};
            }
          }
        } noteCut{*this, run, numbers, failures};
        run.run();
      },
      locked);
  refreshEstimate();
  updateContinue();
}

bool ScannerWindow::mayGoOn() const {
  return interrupted_ && linkBack_ && !job_.running() && scanBox_->isChecked() &&
         scanBox_->isEnabled();
}

void ScannerWindow::updateContinue() {
  progressPanel_->continueButton()->setEnabled(mayGoOn());
}

void ScannerWindow::goOn() {
  if (!mayGoOn()) return;
  const ScanNumbers numbers = interrupted_->numbers;
  // The walk alternates probe and move, a probe first: every odd command confirmed ends a point.
  const int measured = static_cast<int>((interrupted_->confirmed + 1) / 2);
  if (!link_.prompts().askYesNo(
          link::kWarningCaption,
          "Продолжить сканирование с точки " + std::to_string(measured + 1) + " из " +
              std::to_string(numbers.nx * numbers.ny) +
              "?\r\nЩуп должен стоять там, где его застал обрыв связи: если его сдвигали, "
              "ответьте \"Нет\".")) {
    return;
  }
  const std::int64_t confirmed = interrupted_->confirmed;
  runScan(numbers, confirmed);
}

std::optional<ScanNumbers> ScannerWindow::quietNumbers() const {
  const auto numbers = CheckScanFields(fields(), settings_);
  if (const auto* read = std::get_if<ScanNumbers>(&numbers)) return *read;
  return std::nullopt;
}

void ScannerWindow::refreshEstimate() {
  if (job_.running()) return;
  estimatedWith_ = {settings_.SM_X_ratio, settings_.SM_Y_ratio, double(link_.speed),
                    link_.pace.latencyMicros};
  const auto numbers = quietNumbers();
  estimate_.reset();
  if (numbers) estimate_ = EstimateScan(*numbers, settings_, link::AwaitedTimeModel(link_));
  progressPanel_->showEstimate(estimate_);
}

void ScannerWindow::watch() {
  if (job_.running()) return;
  if (estimatedWith_ != std::vector<double>{settings_.SM_X_ratio, settings_.SM_Y_ratio,
                                            double(link_.speed), link_.pace.latencyMicros}) {
    refreshEstimate();
  }
  if (interrupted_ && !linkBack_ &&
      widgets::LinkCameBack(link_, interrupted_->opening, "ST", *status_, guard_, scanBox_,
                            {scanButton_, progressPanel_->continueButton()})) {
    linkBack_ = true;
    updateContinue();
  }
}

void ScannerWindow::InterpolateHeightPicture() {
  const auto size = InterpolationSize(mesh_, fields());
  if (const auto* problem = std::get_if<ScanProblem>(&size)) {
    link_.prompts().message(problem->caption, problem->text);
    return;
  }
  const PictureSize& picture = std::get<PictureSize>(size);
  {
    widgets::BusyCursor busy;  // a large picture takes a moment
    scanner::InterpolateHeightPicture(mesh_, picture.width, picture.height, preview_.image());
  }
  showPreview();
}

void ScannerWindow::SaveHeightPicture() {
  if (const auto problem = WriteHeightPicture(preview_.image(), programDir_)) {
    link_.prompts().message(link::kErrorCaption, *problem);
    return;
  }
  link_.prompts().message(kSavedCaption, kSavedText);
}

void ScannerWindow::ApplyPictureSize() {
  if (const auto problem = scanner::ApplyPictureSize(fields(), preview_)) {
    link_.prompts().message(link::kErrorCaption, *problem);
    return;
  }
  showPreviewBox();
}

void ScannerWindow::DrawGrid() {
  DrawFieldGrid(fields(), preview_);
  showPreview();
}

void ScannerWindow::showPreviewBox() {
  box_->setBoxSize({preview_.boxWidth(), preview_.boxHeight()});
  showPreview();
}

void ScannerWindow::showPreview() {
  box_->view()->requestRedraw();
}

void ScannerWindow::dragBoxTo(QSize wanted) {
  if (job_.running()) return;
  ScannerFields dragged = fields();
  DragPreviewBox(dragged, preview_, {wanted.width(), wanted.height()});
  showFields(dragged);
  showPreviewBox();
}

QString& ScannerWindow::appliedMeshText(const QLineEdit* field) {
  return field == meshWidthField_ ? appliedMeshWidth_ : appliedMeshHeight_;
}

// The picture size follows the new mesh in whole grid steps of the box as it stands.
void ScannerWindow::meshFieldLeft(QLineEdit* field) {
  appliedMeshText(field) = field->text();
  dragBoxTo(box_->boxSize());
}

void ScannerWindow::fieldLeft(QLineEdit* field) {
  ScannerFields left = fields();
  AreaFieldLeft(left, field == areaHeightField_);
  showFields(left);
}

void ScannerWindow::moveByMm(double dx, double dy, double dz) {
  // A move is a job of its own: a scan cannot start under it, and a Stop pressed earlier must
  // not end it after it was sent.
  status_->claimController();
  guard_.run(
      [&] {
        link_.StopRequested = false;
        moves_.ArduinoMoveMM(dx, dy, dz);
      },
      {scanButton_});
}

// The mesh fields take digits and Backspace; Enter applies the size; other characters are
// refused. Keys that type nothing (arrows, Delete, Tab) and shortcuts are left alone.
bool ScannerWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (field == nullptr || event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    meshFieldLeft(field);
    return true;
  }
  const QString text = key->text();
  if (key->key() == Qt::Key_Backspace || text.isEmpty() || !text.at(0).isPrint()) return false;
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  return !(text.size() == 1 && text.at(0).isDigit() && text.at(0).unicode() < 128);
}

void ScannerWindow::closeEvent(QCloseEvent* event) {
  // Closing during a scan stops it; the window closes once the scan has unwound.
  if (!guard_.mayClose(event)) return;
  const ScannerFields now = fields();
  WriteScannerSettings(settingsFile_, {now.meshWidth, now.meshHeight, now.areaWidth,
                                       now.pictureWidth, now.pictureHeight});
  event->accept();
}

}  // namespace vexa::scanner
