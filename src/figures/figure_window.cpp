#include "figures/figure_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include "figures/aspect_side.h"
#include "figures/figure_selection.h"
#include "figures/figure_tree_widget.h"
#include "figures/highlight_figure.h"
#include "figures/parse_figures.h"
#include "manual/move_by_mm_widget.h"
#include "picture/picture_view.h"
#include "picture/qt_picture_binding.h"
#include "settings/path_text.h"
#include "settings/settings_keys.h"
#include "widgets/job_progress_widget.h"
#include "widgets/machine_status_widget.h"
#include "widgets/qt_field_leave.h"
#include "widgets/qt_millimetre_key_filter.h"

namespace vexa::figures {

namespace {

constexpr const char* kViewNames[] = {"Pict", "Pict1", "Pict2", "Pict3"};
constexpr int kCopies = 4;

// Keeps a widget shown exactly while another one is (shown or hidden by its own call).
class VisibilityFollower : public QObject {
 public:
  VisibilityFollower(QWidget* leader, QWidget* follower) : QObject(leader), follower_(follower) {
    leader->installEventFilter(this);
    follower->setVisible(leader->isVisibleTo(leader->parentWidget()));
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (follower_ && event->type() == QEvent::ShowToParent) follower_->show();
    if (follower_ && event->type() == QEvent::HideToParent) follower_->hide();
    return QObject::eventFilter(watched, event);
  }

 private:
  QPointer<QWidget> follower_;
};

}  // namespace

FigureWindow::FigureWindow(link::MachineLink& link, const link::MachineSettings& settings,
                           std::filesystem::path programDir, FigureWindowDesign design,
                           QWidget* parent)
    : QWidget(parent),
      link_(link),
      settings_(settings),
      programDir_(std::move(programDir)),
      design_(std::move(design)),
      settingsFile_(programDir_ / "cnc.ini"),
      picture_({programDir_, design_.imageKey, kCopies, design_.refusalLine}, link.prompts(),
               picture::QtPictureDecoder()),
      job_(link),
      guard_(job_, *this, link.prompts()) {
  setObjectName(design_.formName);
  setWindowTitle(design_.caption);
  buildPanels();
  picture_.setEventPump(&link.pump());
}

QLineEdit* FigureWindow::makeNumberField(const char* name, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  widgets::ApplyMillimetreKeyFilter(field);
  return field;
}

void FigureWindow::buildPanels() {
  auto* columns = new QHBoxLayout(this);

  // The controls scroll when the window is too low for them (1280 x 720 with the main menu).
  auto* scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* controls = new QWidget(scroll);
  column_ = new QVBoxLayout(controls);
  scroll->setWidget(controls);
  scroll->setMinimumWidth(300);
  columns->addWidget(scroll);

  auto* filePanel = new QGroupBox(QStringLiteral("Выбор файла"), controls);
  auto* fileRow = new QHBoxLayout(filePanel);
  pathField_ = new QLineEdit(filePanel);
  pathField_->setObjectName(design_.pathFieldName);
  pathField_->setReadOnly(true);  // the path changes through "..." only
  openButton_ = new QPushButton(QStringLiteral("..."), filePanel);
  openButton_->setObjectName("Command8");
  fileRow->addWidget(pathField_, 1);
  fileRow->addWidget(openButton_);
  column_->addWidget(filePanel);

  sizePanel_ = new QGroupBox(design_.sizeCaption, controls);
  sizeForm_ = new QFormLayout(sizePanel_);
  widthField_ = addSizeField(QStringLiteral("Ширина:"), "Text6");
  heightField_ = addSizeField(QStringLiteral("Высота:"), "Text7");
  column_->addWidget(sizePanel_);

  runPanel_ = new QGroupBox(controls);
  QGroupBox* runPanel = runPanel_;
  runPanel->setObjectName("runPanel");
  auto* runColumn = new QVBoxLayout(runPanel);
  sendBox_ = new QCheckBox(design_.runCaption, runPanel);
  sendBox_->setObjectName("Check1");
  sendBox_->setChecked(true);  // cleared by the firmware check when the machine cannot take it
  returnBox_ = new QCheckBox(QStringLiteral("С возвратом в исх."), runPanel);
  returnBox_->setObjectName("Check2");
  exportBox_ = new QCheckBox(QStringLiteral("G-код"), runPanel);
  exportBox_->setObjectName("Check3");
  exportBox_->setToolTip(QStringLiteral("G-код записывается в файл program.gcode"));
  auto* boxRow = new QHBoxLayout;
  boxRow->addWidget(sendBox_);
  boxRow->addWidget(exportBox_);
  boxRow->addStretch(1);
  runColumn->addLayout(boxRow);
  runColumn->addWidget(returnBox_);
  buttonGrid_ = new QGridLayout;
  runColumn->addLayout(buttonGrid_);
  // The run panel and the move group side by side: the column then fits the height of a
  // 1280 x 720 screen without scrolling.
  runRow_ = new QHBoxLayout;
  runRow_->addWidget(runPanel, 1);
  column_->addLayout(runRow_);
  stopButton_ = addButton(QStringLiteral("Стоп"), "Command9", 10, 0);
  progressPanel_ = new widgets::JobProgressWidget(
      {"Label14", "ProgressBar2", "Command12"},
      QStringLiteral("Продолжить работу, прерванную обрывом связи, с места обрыва"), runPanel);
  runColumn->addWidget(progressPanel_);
  follow_ = new widgets::JobFollow(
      link_, *progressPanel_, [this] { return jobPlans(); }, this);
  if (design_.figureTree) parseButton_ = addButton(QStringLiteral("Разобрать"), "Command3", 0, 0);

  moveGroup_ = new manual::MoveByMmWidget(
      link_.prompts(), [this](const manual::AxisDistances& d) { moveByMm(d); }, controls);
  moveGroup_->moveButton()->setObjectName("Command7");
  runRow_->addWidget(moveGroup_, 1, Qt::AlignTop);
  column_->addStretch(1);

  status_ = new widgets::MachineStatusWidget(QStringLiteral("Label5"), this);
  for (QLabel* label : status_->findChildren<QLabel*>()) {
    if (label->objectName().isEmpty()) label->setObjectName("Label6");
  }

  // The pictures: a tab strip over one view per copy, the status line below.
  auto* pictures = new QWidget(this);
  auto* pictureColumn = new QVBoxLayout(pictures);
  pictureColumn_ = pictureColumn;
  pictureColumn->setContentsMargins(0, 0, 0, 0);
  tabs_ = new QTabBar(pictures);
  tabs_->setObjectName("TabStrip1");
  for (const FigureTab& tab : design_.tabs) tabs_->addTab(tab.caption);
  viewStack_ = new QStackedWidget(pictures);
  viewStack_->setObjectName("pictures");
  for (int copy = 0; copy < kCopies; ++copy) {
    auto* view = new picture::PictureView(viewStack_);
    view->setObjectName(kViewNames[copy]);
    viewStack_->addWidget(view);
    views_.push_back(view);
  }
  pictureColumn->addWidget(tabs_);
  viewRow_ = new QHBoxLayout;
  viewRow_->addWidget(viewStack_, 1);
  pictureColumn->addLayout(viewRow_, 1);
  pictureColumn->addWidget(status_);
  columns->addWidget(pictures, 1);

  if (design_.figureTree) {
    tree_ = new FigureTreeWidget(this);
    tree_->setMinimumWidth(140);
    tree_->setMaximumWidth(220);
    columns->addWidget(tree_);
    connect(tree_, &FigureTreeWidget::figureChosen, this, &FigureWindow::showSelection);
    connect(parseButton_, &QPushButton::clicked, this, [this] {
      // The parse rewrites the map a running job traces; the job's end comes first.
      if (!job_.running()) parseFigures();
    });
  }

  connect(tabs_, &QTabBar::currentChanged, this, &FigureWindow::showTab);
  showTab(0);
  connect(openButton_, &QPushButton::clicked, this, [this] {
    picture_.OpenPicture([this] {
      afterPictureLoad();
      widthLeft();
    });
    if (!picture_.hasPicture()) afterPictureLoad();
  });
  connect(stopButton_, &QPushButton::clicked, this, [this] { link_.StopRequested = true; });
  connect(progressPanel_->continueButton(), &QPushButton::clicked, this, &FigureWindow::goOn);
  for (QLineEdit* field : {widthField_, heightField_}) {
    connect(field, &QLineEdit::textChanged, this, &FigureWindow::replanJobs);
  }
  connect(returnBox_, &QCheckBox::toggled, this, &FigureWindow::replanJobs);
  connect(sendBox_, &QCheckBox::toggled, this, &FigureWindow::updateContinue);
  auto* watchTimer = new QTimer(this);
  watchTimer->setInterval(1000);
  connect(watchTimer, &QTimer::timeout, this, &FigureWindow::watch);
  watchTimer->start();
  watch();  // the settings as they stand: a change from here on is planned anew
  widgets::OnFieldLeft(widthField_, [this] { widthLeft(); });
  widgets::OnFieldLeft(heightField_, [this] { heightLeft(); });
}

QLineEdit* FigureWindow::addSizeField(const QString& caption, const char* name) {
  auto* row = new QHBoxLayout;
  QLineEdit* field = makeNumberField(name, sizePanel_);
  row->addWidget(field);
  row->addWidget(new QLabel(QStringLiteral("мм"), sizePanel_));
  sizeForm_->addRow(caption, row);
  return field;
}

QGroupBox* FigureWindow::addPanel(const QString& caption) {
  auto* panel = new QGroupBox(caption, runPanel_->parentWidget());
  column_->insertWidget(column_->indexOf(runRow_), panel);
  return panel;
}

FigureWindow::ToolFields FigureWindow::addToolPanel(const QString& caption,
                                                    const QString& delayCaption,
                                                    bool withDiameter) {
  QGroupBox* panel = addPanel(caption);
  auto* grid = new QGridLayout(panel);
  ToolFields fields;
  if (withDiameter) {
    grid->addWidget(new QLabel(QStringLiteral("Диаметр, мм"), panel), 0, 0);
    fields.diameter = makeNumberField("Text3", panel);
    grid->addWidget(fields.diameter, 0, 1);
  }
  auto* delayLabel = new QLabel(delayCaption, panel);
  delayLabel->setWordWrap(true);
  grid->addWidget(delayLabel, 1, 0);
  fields.delay = makeNumberField("Text4", panel);
  grid->addWidget(fields.delay, 1, 1);
  grid->setColumnStretch(0, 1);
  return fields;
}

QPushButton* FigureWindow::addButton(const QString& text, const char* name, int row, int column) {
  auto* button = new QPushButton(text, buttonGrid_->parentWidget());
  button->setObjectName(name);
  buttonGrid_->addWidget(button, row, column);
  return button;
}

void FigureWindow::addBelowPictures(QWidget* widget) {
  pictureColumn_->insertWidget(pictureColumn_->indexOf(status_), widget);
}

void FigureWindow::showCopyWithPanel(int copy, QWidget* panel) {
  picture::PictureView* view = views_.at(std::size_t(copy));
  viewStack_->removeWidget(view);
  viewRow_->addWidget(view, 1);
  new VisibilityFollower(panel, view);
}

void FigureWindow::showTab(int index) {
  if (index < 0 || index >= int(design_.tabs.size())) return;
  picture::PictureView* view = views_[std::size_t(design_.tabs[std::size_t(index)].copy)];
  if (viewStack_->indexOf(view) >= 0) viewStack_->setCurrentWidget(view);
  view->requestRedraw();
}

void FigureWindow::openWith(const QList<QWidget*>& machineControls,
                            const QList<QWidget*>& workingButtons,
                            std::vector<StoredField> storedFields) {
  QList<QWidget*> buttons = workingButtons;
  buttons << stopButton_;
  if (parseButton_) buttons << parseButton_;
  picture::PictureWidgets widgets;
  widgets.pathField = pathField_;
  widgets.panels = {viewStack_, sizePanel_};
  widgets.buttons = buttons;
  widgets.copyViews = {views_.begin(), views_.end()};
  picture::BindPictureWidgets(picture_, widgets);

  QList<QWidget*> controls = machineControls;
  controls << sendBox_ << returnBox_ << moveGroup_->moveButton();
  const link::GateResult gate =
      status_->runStartupCheck(link_, link::TagRule{design_.tag}, controls);
  // A box switched off but still ticked would send to a machine that cannot take the commands.
  if (!gate.controlsOn) sendBox_->setChecked(false);

  storedFields_ = std::move(storedFields);
  // One reading of cnc.ini for all of the window's keys.
  const settings::SettingsSnapshot stored = settingsFile_.ReadSettings();
  auto read = [&](const std::string& key) {
    return stored.ReadSetting(key, settings::BuiltinDefault(key, programDir_));
  };
  for (const StoredField& field : storedFields_) {
    field.field->setText(QString::fromStdString(read(field.key)));
    connect(field.field, &QLineEdit::textChanged, this, &FigureWindow::replanJobs);
  }
  picture_.setPath(read(design_.imageKey));
  picture_.LoadWorkPictureOrReport(picture_.path());
  afterPictureLoad();
  // The height follows the stored width at once, as it will whenever the width is left.
  widthLeft();
}

// The figure data and the tree belong to the picture they were made from: a new picture (or
// none) starts without them, so no job traces one picture's map over another's pixels.
void FigureWindow::afterPictureLoad() {
  figures_.map = FigureMap();
  figures_.resetTables();
  figures_.tree.clear();
  showTree();
  // A job interrupted on another picture has nothing left to go on with here.
  follow_->forgetInterrupted();
  updateContinue();
  replanJobs();
}

void FigureWindow::showTree() {
  if (tree_) tree_->showTree(&figures_.tree);
}

void FigureWindow::parseFigures() {
  if (!picture_.hasPicture()) return;
  ParseFigures(picture_.copy(kWorkingCopy), figures_);
  showTree();
  picture_.requestRedraw();
  replanJobs();
}

void FigureWindow::showSelection(int figure) {
  if (!picture_.hasPicture()) return;
  HighlightFigure(picture_.copy(kWorkingCopy), figures_.map, figure, picture_.copy(kSelectionCopy));
  picture_.requestRedraw();
  replanJobs();
}

void FigureWindow::widthLeft() {
  if (const auto height =
          AspectSide(widthField_->text().toStdString(), picture_.height(), picture_.width())) {
    heightField_->setText(QString::fromStdString(*height));
  }
}

void FigureWindow::heightLeft() {
  if (const auto width =
          AspectSide(heightField_->text().toStdString(), picture_.width(), picture_.height())) {
    widthField_->setText(QString::fromStdString(*width));
  }
}

void FigureWindow::runJob(const std::function<void()>& job, const QList<QWidget*>& locked) {
  QList<QWidget*> all{openButton_, widthField_, heightField_};
  if (parseButton_) all << parseButton_;
  all << locked << progressPanel_->continueButton();
  lastLocked_ = locked;
  status_->claimController();
  guard_.run(job, all);
  updateContinue();
}

void FigureWindow::replanJobs() {
  follow_->replan();
}

void FigureWindow::runFollowed(widgets::JobFollow::Run run, const std::string& done) {
  // The user watches the cut take shape; a tab picked during the run stays picked.
  for (std::size_t tab = 0; tab < design_.tabs.size(); ++tab) {
    if (design_.tabs[tab].copy == kToolCopy) tabs_->setCurrentIndex(int(tab));
  }
  status_->showJobNote({});
  doneText_ = done;
  const std::int64_t seconds = follow_->execute(std::move(run));
  status_->showJobNote(QString::fromStdString(widgets::JobDoneText(done, seconds)));
}

std::vector<widgets::JobFollow::Plan> FigureWindow::figureJobPlans(
    const std::array<QPushButton*, 3>& buttons,
    const std::function<widgets::PlanTask(int job, std::int32_t figure)>& plan) {
  std::vector<widgets::JobFollow::Plan> plans;
  for (QPushButton* button : buttons) plans.push_back({button->text(), {}});
  if (!plan) return plans;
  const std::optional<std::string> key = tree_->selectedKey();
  if (!figures_.tree.empty() && key) plans[0].task = plan(0, SelectedFigure(*key));
  if (!figures_.tree.empty()) plans[1].task = plan(1, 0);
  plans[2].task = plan(2, 0);
  return plans;
}

FigureSnapshot FigureWindow::snapshot() const {
  const picture::WindowPicture& picture = picture_;
  return TakeSnapshot(picture.copy(kSourceCopy), picture.copy(kWorkingCopy),
                      picture.copy(kToolCopy), figures_);
}

void FigureWindow::restore(const FigureSnapshot& snapshot) {
  picture_.copy(kSourceCopy) = snapshot.source;
  picture_.copy(kWorkingCopy) = snapshot.working;
  picture_.copy(kToolCopy) = snapshot.tool;
  figures_.copyResults(snapshot.figures);
  showTree();
  picture_.requestRedraw();
}

bool FigureWindow::mayGoOn() const {
  return follow_->mayGoOn(*sendBox_, job_.running());
}

void FigureWindow::updateContinue() {
  progressPanel_->continueButton()->setEnabled(mayGoOn());
}

void FigureWindow::goOn() {
  if (!mayGoOn()) return;
  if (!link_.prompts().askYesNo(link::kWarningCaption, follow_->goOnQuestion())) return;
  runJob(
      [this] {
        status_->showJobNote({});
        const std::int64_t seconds = follow_->goOn();
        status_->showJobNote(QString::fromStdString(widgets::JobDoneText(doneText_, seconds)));
      },
      lastLocked_);
}

void FigureWindow::watch() {
  if (job_.running()) return;
  const std::vector<double> settings{settings_.SM_X_ratio,       settings_.SM_Y_ratio,
                                     settings_.SM_Z_ratio,       double(settings_.SM_delay),
                                     double(settings_.SM_optim), double(link_.speed),
                                     link_.pace.latencyMicros};
  if (settings != watchedSettings_) {
    const bool first = watchedSettings_.empty();
    watchedSettings_ = settings;
    if (!first) replanJobs();
  }
  if (follow_->watchLinkBack(design_.tag, *status_, guard_, sendBox_,
                             {progressPanel_->continueButton()})) {
    updateContinue();
  }
}

std::unique_ptr<gcode::JobGcode> FigureWindow::startGcode(gcode::JobGcode::Tool tool,
                                                          link::MoveListener& slot,
                                                          const std::string& job,
                                                          const std::string& numbers) {
  if (!exportBox_->isChecked()) return nullptr;
  const std::string header = gcode::JobGcodeHeader(job, settings::PathFromUtf8(picture_.path()),
                                                   widthField_->text().toStdString(), numbers);
  // The settings are read at each job, as the settings window may have changed them.
  return std::make_unique<gcode::JobGcode>(
      programDir_ / gcode::kGcodeFileName, header, tool, gcode::Calibration::Of(settings_),
      gcode::ReadStandardOptions(settingsFile_.ReadSettings()), slot);
}

void FigureWindow::closeEvent(QCloseEvent* event) {
  if (!guard_.mayClose(event)) return;
  std::vector<settings::SettingWrite> writes;
  for (const StoredField& stored : storedFields_) {
    writes.push_back({stored.key, stored.field->text().toStdString()});
  }
  settingsFile_.WriteSettings(writes);  // one replace of the file; a failure is told of once
  picture_.ReleasePicture();
  event->accept();
}

}  // namespace vexa::figures
