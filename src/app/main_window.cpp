#include "app/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdlib>

#include "app/qt_update_check.h"
#include "app/shell_rules.h"
#include "app/update_schedule.h"
#include "app/version_reply.h"
#include "emulator/demo_mode.h"
#include "link/qt_event_pump.h"
#include "link/qt_serial_port.h"
#include "settings/settings_write_notice.h"
#include "widgets/qt_job_guard.h"

namespace vexa::app {

namespace {

// What a menu entry does before it shows its window.
struct MenuEntry {
  const char* objectName;
  const char* caption;
  const char* formName;
  bool freshStart = false;              // close the operation windows first
  const char* rasterContext = nullptr;  // set the raster window's mode
};

const MenuEntry kProcessingEntries[] = {
    {"mill_cl", "Фрезеровка", "Form1", true},
    {"sep1", "-", nullptr},
    {"etching_cl", "Лазер - Градации / картины", "Form3", true, ""},
    {"etching2_cl", "Лазер - Орнаменты / силуэты", "Form5"},
    {"pic_cl", "Лазер - Обработка рисунка", "Form9"},
    {"sep2", "-", nullptr},
    {"wood_cl", "Выжигание по дереву", "Form8"},
    {"sep3", "-", nullptr},
    {"shock_cl", "Ударная головка", "Form3", true, "shock_head"},
    {"sep4", "-", nullptr},
    {"gcode_cl", "Выполнить G-код…", "Form13"},
};

const MenuEntry kBarEntries[] = {
    {"scanner_cl", "Сканер", "Form2"},           {"link_cl", "Связность", "Form10"},
    {"hand_cl", "Ручное перемещение ", "Form6"}, {"settings_cl", "Настройка", "Form4"},
    {"about_cl", "О программе", "Form12"},
};

// Entries switched off whatever windows exist.
bool offByDesign(const QString& objectName) {
  return objectName == "link_cl";
}

}  // namespace

MainWindow::MainWindow(std::filesystem::path programDir, link::Prompts& prompts,
                       std::unique_ptr<link::SerialPort> port, QWidget* parent)
    : QMainWindow(parent),
      programDir_(std::move(programDir)),
      settings_(programDir_ / "cnc.ini"),
      prompts_(prompts),
      port_(port ? std::move(port) : std::make_unique<link::QtSerialPort>()),
      pump_(std::make_unique<link::QtEventPump>()),
      link_(std::make_unique<link::MachineLink>(*port_, *pump_, prompts_)) {
  setObjectName("MDIForm1");
  ver_ = ApplicationVersion();
  setWindowTitle(QString::fromStdString(MainWindowCaption(ver_, port_->demoSpeedup().has_value())));

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  buildNoticePanel(central);
  mdiArea_ = new QMdiArea(central);
  layout->addWidget(mdiArea_, 1);
  setCentralWidget(central);
  buildMenu();

  checkTimer_ = new QTimer(this);
  checkTimer_->setObjectName("Timer1");
  checkTimer_->setSingleShot(true);
  checkTimer_->setInterval(100);
  connect(checkTimer_, &QTimer::timeout, this, [this] {
    if (CVer.empty()) CheckVersion();
  });
  updateCheck_ = new UpdateCheck(ResolveUpdateServer(std::getenv(kUpdateServerVariable)), this);
  connect(updateCheck_, &UpdateCheck::versionReceived, this,
          [this](const QByteArray& version) { takeVersion(version.toStdString()); });

  // A cnc.ini that cannot be written is told of once in the run, whichever window finds out.
  settings::SetSettingsWriteReporter(
      [this](const std::string& text) { prompts_.message(link::kErrorCaption, text); });
  const settings::StartupSettings startup = settings::LoadStartupSettings(settings_);
  machineSettings_ = startup.machine;
  check_ver = startup.check_ver;
  check_prev = startup.check_prev;
  if (auto* demo = dynamic_cast<emulator::EmulatedPort*>(port_.get())) {
    emulator::PrepareDemo(*link_, *demo, machineSettings_);
  }
  link_->OpenPort(startup.port, startup.speed);
  resize(1280, 720);
  scheduleUpdateCheck();
}

MainWindow::~MainWindow() {
  // Children may still use the link while they are destroyed; close it last.
  delete takeCentralWidget();
  link_->ClosePort();
  settings::SetSettingsWriteReporter({});
}

void MainWindow::scheduleUpdateCheck() {
  const QDate now = QDate::currentDate();
  const CalendarDate today{now.year(), now.month(), now.day()};
  if (auto recorded = ScheduleUpdateCheck(settings_, check_ver, check_prev, today)) {
    check_prev = *recorded;
    // The check itself starts from the event loop, once the window is on screen.
    startCheckTimer();
  }
}

void MainWindow::startCheckTimer() {
  checkTimer_->start();
}

void MainWindow::CheckVersion() {
  updateCheck_->start();
}

void MainWindow::takeVersion(const std::string& version) {
  CVer = version;
  if (!UpdateNoticeNeeded(ver_, CVer)) return;
  noticeLabel_->setText(QString::fromUtf8(kUpdateNoticeText));
  noticePanel_->show();
}

void MainWindow::buildNoticePanel(QWidget* central) {
  noticePanel_ = new QWidget(central);
  noticePanel_->setObjectName("noticePanel");
  auto* row = new QHBoxLayout(noticePanel_);
  noticeLabel_ = new QLabel(QStringLiteral("Сообщение"), noticePanel_);
  noticeLabel_->setObjectName("Label1");
  auto* hide = new QPushButton(QStringLiteral("Скрыть"), noticePanel_);
  hide->setObjectName("Command1");
  row->addWidget(noticeLabel_);
  row->addSpacing(13);  // 200 twips at 96 dpi
  row->addWidget(hide);
  row->addStretch(1);
  connect(hide, &QPushButton::clicked, noticePanel_, &QWidget::hide);
  noticePanel_->hide();
  static_cast<QVBoxLayout*>(central->layout())->addWidget(noticePanel_);
}

QAction* MainWindow::addEntry(QWidget* menu, const char* objectName, const QString& caption,
                              const QString& formName) {
  auto* action = new QAction(caption, menu);
  action->setObjectName(objectName);
  action->setEnabled(false);  // until a window stands behind it
  menu->addAction(action);
  entriesByForm_[formName].append(action);
  return action;
}

void MainWindow::buildMenu() {
  QMenu* processing = menuBar()->addMenu(QStringLiteral("Обработка"));
  processing->setObjectName("processing_cl");
  processing->menuAction()->setObjectName("processing_cl");

  auto wire = [this](QWidget* menu, const MenuEntry& entry) {
    if (entry.formName == nullptr) {
      static_cast<QMenu*>(menu)->addSeparator()->setObjectName(entry.objectName);
      return;
    }
    QAction* action =
        addEntry(menu, entry.objectName, QString::fromUtf8(entry.caption), entry.formName);
    connect(action, &QAction::triggered, this, [this, entry] {
      if (entry.freshStart) closeOperationWindows();
      if (entry.rasterContext != nullptr) rasterContext_ = entry.rasterContext;
      openFromMenu(entry.formName);
    });
  };
  for (const MenuEntry& entry : kProcessingEntries) wire(processing, entry);
  for (const MenuEntry& entry : kBarEntries) wire(menuBar(), entry);
}

void MainWindow::setWindowFactory(const QString& formName, WindowFactory factory) {
  factories_[formName] = std::move(factory);
  for (QAction* action : entriesByForm_.value(formName)) {
    action->setEnabled(!offByDesign(action->objectName()));
  }
}

void MainWindow::openFromMenu(const QString& formName) {
  // The connectivity list opens without taking the focus.
  showWindow(formName, formName != "Form10");
}

QWidget* MainWindow::findWindow(const QString& formName) const {
  for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
    // A window closed a moment ago waits for deletion hidden; it no longer counts.
    if (sub->isHidden() || sub->widget() == nullptr) continue;
    if (sub->widget()->objectName() == formName) return sub->widget();
  }
  return nullptr;
}

QWidget* MainWindow::showWindow(const QString& formName, bool giveFocus) {
  if (QWidget* open = findWindow(formName)) {
    auto* sub = qobject_cast<QMdiSubWindow*>(open->parentWidget());
    if (sub != nullptr) {
      sub->showNormal();
      sub->raise();
      if (giveFocus) mdiArea_->setActiveSubWindow(sub);
    }
    return open;
  }
  const WindowFactory factory = factories_.value(formName);
  if (!factory) return nullptr;
  QWidget* window = factory(*this);
  if (window == nullptr) return nullptr;
  if (auto* dialog = qobject_cast<QDialog*>(window)) {
    // Manual positioning and About block the main window until they close. The dialog is
    // deleted only after exec() has returned, when nothing of it is still running.
    std::unique_ptr<QDialog> owned(dialog);
    dialog->setParent(this, dialog->windowFlags() | Qt::Dialog);
    dialog->exec();
    return nullptr;
  }
  window->setAttribute(Qt::WA_DeleteOnClose);
  QMdiSubWindow* sub = mdiArea_->addSubWindow(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->show();
  // On a small screen a window opens no larger than the room there is: its controls still
  // fit, its picture gets smaller.
  sub->resize(
      sub->size().boundedTo(mdiArea_->viewport()->size()).expandedTo(sub->minimumSizeHint()));
  if (giveFocus) {
    mdiArea_->setActiveSubWindow(sub);
  } else {
    sub->lower();
  }
  return window;
}

void MainWindow::closeOperationWindows() {
  for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
    QWidget* window = sub->widget();
    if (window == nullptr || SurvivesFreshStart(window->objectName().toStdString())) continue;
    sub->close();
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Each window saves its settings when it closes; one whose job runs stops the job first, and
  // the application closes once it has unwound.
  mdiArea_->closeAllSubWindows();
  bool waiting = false;
  for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
    if (sub->isHidden()) continue;
    waiting = true;
    quitAfter(sub);
  }
  if (waiting) {
    event->ignore();
    return;
  }
  link_->ClosePort();
  event->accept();
}

void MainWindow::quitAfter(QMdiSubWindow* sub) {
  quitting_ = true;
  if (QWidget* window = sub->widget()) window->installEventFilter(this);
  connect(sub, &QObject::destroyed, this, &MainWindow::windowGone, Qt::UniqueConnection);
}

void MainWindow::windowGone() {
  if (quitting_) QTimer::singleShot(0, this, [this] { close(); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::DynamicPropertyChange &&
      static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() ==
          widgets::kCloseWithdrawnProperty) {
    // The user chose to go on with the job: the application stays.
    quitting_ = false;
    watched->removeEventFilter(this);
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace vexa::app
