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
#include <QVBoxLayout>
#include <limits>
#include <variant>

#include "picture/invert_picture.h"
#include "picture/picture_view.h"
#include "picture/pseudo_tone.h"
#include "picture/qt_picture_binding.h"
#include "picture/qt_raster_size_fields.h"
#include "raster/gcode_file.h"
#include "raster/run_numbers.h"
#include "widgets/machine_status_widget.h"
#include "widgets/qt_millimetre_key_filter.h"

namespace vexa::raster {

namespace {

constexpr const char* kRefusalLine = "Гравировка невозможна.";
constexpr const char* kNoPictureText = "Картинка не загружена. Выберите файл картинки!";

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
  if (design_.laser) {
    raster_.setToneSteps([this](picture::PixelBuffer& fitted) {
      if (toneBox_->isChecked()) picture::PseudoTone(fitted);
      if (invertBox_->isChecked()) picture::InvertPicture(fitted);
    });
    for (QCheckBox* box : {toneBox_, invertBox_}) {
      connect(box, &QCheckBox::toggled, this, [this] { raster_.RefreshPicture(); });
    }
  }
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
  left->addWidget(sizePanel);
  left->addWidget(settingsPanel_);

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
  left->addWidget(runPanel);
  left->addStretch(1);

  status_ = new widgets::MachineStatusWidget(QStringLiteral("Label4"), this);
  for (QLabel* label : status_->findChildren<QLabel*>()) {
    if (label->objectName().isEmpty()) label->setObjectName("Label8");
  }
  left->addWidget(status_);
}

void EngravingWindow::openWith(const std::string& tag) {
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
}

std::optional<RunParts> EngravingWindow::gatherRun(const DwellFieldNames& names) {
  if (!picture_.hasPicture()) {
    link_.prompts().message(link::kErrorCaption, kNoPictureText);
    return std::nullopt;
  }
  RunNumberTexts texts;
  texts.blackDwell = blackDwellField_->text().toStdString();
  if (whiteDwellField_) texts.whiteDwell = whiteDwellField_->text().toStdString();
  texts.targetWidth = widthField_->text().toStdString();
  texts.targetHeight = heightField_->text().toStdString();
  const auto numbers = ReadRunNumbers(texts, names);
  if (const auto* problem = std::get_if<std::string>(&numbers)) {
    link_.prompts().message(link::kErrorCaption, *problem);
    return std::nullopt;
  }
  runScale_ = {std::get<RunNumbers>(numbers).targetWidth, picture_.width()};
  auto boxOf = [](QCheckBox* box) -> std::function<bool()> {
    if (box == nullptr) return {};
    return [box] { return box->isChecked(); };
  };
  RunBoxes boxes{boxOf(sendBox_), boxOf(pixelRedrawBox_), boxOf(returnBox_), boxOf(doublePassBox_)};
  std::optional<std::filesystem::path> exportPath;
  if (exportBox_ && exportBox_->isChecked()) exportPath = programDir_ / kGcodeFileName;
  return RunParts{link_,
                  moves_,
                  settings_,
                  picture_.copy(),
                  [this] { picture_.RedrawPicture(); },
                  [this] { job_.stepDone(); },
                  std::move(boxes),
                  std::get<RunNumbers>(numbers),
                  RunRules{},
                  exportPath,
                  link::SystemWholeSeconds,
                  firmwareChecked_};
}

void EngravingWindow::runJob(const std::function<void()>& job) {
  // What the run works on stays as it was at its start. Locking comes first: a field that loses
  // the focus runs its rule, which may refit the picture, before the run reads anything.
  QList<QWidget*> locked{openButton_, spotField_, widthField_, heightField_};
  for (QWidget* control : {static_cast<QWidget*>(toneBox_), static_cast<QWidget*>(invertBox_),
                           static_cast<QWidget*>(exportBox_)}) {
    if (control) locked.append(control);
  }
  guard_.run(job, locked);
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
