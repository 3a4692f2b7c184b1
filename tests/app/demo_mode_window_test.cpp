// Demo mode in the running shell: the caption says so, every window that drives the machine
// passes its firmware check against the emulated controller with its machine controls on and
// "Демо-режим" in its status line, and the settings window's check tells that demo mode is on.

#include <QAction>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/main_window.h"
#include "app/qt_window_registry.h"
#include "emulator/demo_mode.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"
#include "widgets/machine_status_widget.h"

using vexa::app::MainWindow;

class DemoModeWindowTest : public QObject {
  Q_OBJECT

 private:
  static QWidget* openFromMenu(MainWindow& window, const char* entry, const char* form) {
    QAction* action = window.findChild<QAction*>(entry);
    if (action == nullptr || !action->isEnabled()) return nullptr;
    action->trigger();
    QCoreApplication::processEvents();
    return window.findChild<QWidget*>(form);
  }

  // The status line reads `status`, and the control the firmware check would switch off on a
  // wrong board is on, as is the move-by-millimetre button where the window has one.
  static bool controlsOn(QWidget* form, const char* control, const QString& status) {
    auto* line = form->findChild<vexa::widgets::MachineStatusWidget*>();
    auto* box = form->findChild<QWidget*>(control);
    auto* moveButton = form->findChild<QPushButton*>("manualMove");
    if (line == nullptr || line->statusText() != status) {
      qWarning() << form->objectName() << (line ? line->statusText() : QString("no status"));
      return false;
    }
    return box != nullptr && box->isEnabled() && (moveButton == nullptr || moveButton->isEnabled());
  }

 private slots:
  void everyMachineWindowOpensWithItsControlsOn() {
    vexa::test::TempFolder folder;
    folder.write("cnc.ini", "[CNC]\r\nPort=/dev/no-such-port\r\n");
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts, vexa::emulator::MakeDemoPort());
    vexa::app::RegisterWindows(window, nullptr);
    window.show();

    QCOMPARE(window.windowTitle(), QString("Zorazad IDO   ver. 2.2.0 — демо"));
    QVERIFY(window.machineLink().isOpen());
    const QString demoStatus =
        QString::fromStdString(vexa::link::DemoStatusText(vexa::emulator::kDemoSpeedup));

    const struct {
      const char* entry;
      const char* form;
      const char* control;  // the control the firmware check switches off on a wrong board
    } windows[] = {
        {"mill_cl", "Form1", "Check1"},     {"etching_cl", "Form3", "Check1"},
        {"etching2_cl", "Form5", "Check1"}, {"pic_cl", "Form9", "Check1"},
        {"wood_cl", "Form8", "Check1"},     {"shock_cl", "Form3", "Check1"},
        {"scanner_cl", "Form2", "Check1"},
    };
    for (const auto& w : windows) {
      QWidget* form = openFromMenu(window, w.entry, w.form);
      QVERIFY2(form != nullptr, w.entry);
      QVERIFY2(controlsOn(form, w.control, demoStatus), w.form);
    }
    // The manual window is modal: it is looked at from inside its own event loop.
    bool manualOn = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (dialog == nullptr || dialog->objectName() != "Form6") return;
      auto* status = dialog->findChild<vexa::widgets::MachineStatusWidget*>();
      if (status == nullptr || status->statusText().isEmpty()) return;
      manualOn = controlsOn(dialog, "Command1", demoStatus);
      dialog->close();
    });
    watcher.start(20);
    window.findChild<QAction*>("hand_cl")->trigger();
    watcher.stop();
    QVERIFY(manualOn);
    QVERIFY(prompts.firmwareNotices.empty());
    // The port named in cnc.ini was never tried: no "not found" message.
    for (const auto& message : prompts.messages) {
      QVERIFY2(message.text.find("no-such-port") == std::string::npos, message.text.c_str());
    }
    window.findChild<QMdiArea*>()->closeAllSubWindows();
  }

  void settingsCheckSaysDemoModeIsOnAndKeepsTheEmulatedController() {
    vexa::test::TempFolder folder;
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts, vexa::emulator::MakeDemoPort());
    vexa::app::RegisterWindows(window, nullptr);
    window.show();
    prompts.messages.clear();

    QWidget* settings = openFromMenu(window, "settings_cl", "Form4");
    QVERIFY(settings != nullptr);
    auto* check = settings->findChild<QPushButton*>("Command1");
    QVERIFY(check != nullptr);
    check->click();
    QCOMPARE(prompts.messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(prompts.messages[0].text),
             QString::fromStdString(vexa::emulator::DemoConnectionText()));
    QVERIFY(window.machineLink().isOpen());
    QVERIFY(window.machineLink().demoSpeedup().has_value());
    window.findChild<QMdiArea*>()->closeAllSubWindows();
  }
};

QTEST_MAIN(DemoModeWindowTest)
#include "demo_mode_window_test.moc"
