// The settings and calibration window, opened from the main window's menu, against vexa-sim
// through the real serial backend.

#include "app/settings_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <cstring>
#include <memory>

#include "app/main_window.h"
#include "app/qt_port_list.h"
#include "app/qt_window_registry.h"
#include "app/update_server.h"
#include "local_http_server.h"
#include "support/recording_prompts.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"

using vexa::app::MainWindow;
using vexa::test::ShownMessage;
using vexa::test::SimProcess;
using Commands = std::vector<std::string>;

namespace {

// A main window started with `iniText` in its cnc.ini, with every window registered.
struct Application {
  explicit Application(const std::string& iniText) {
    folder.write("cnc.ini", iniText);
    window = std::make_unique<MainWindow>(folder.path(), prompts);
    vexa::app::RegisterWindows(*window, nullptr);
    window->show();
  }
  static std::string iniFor(const SimProcess& sim, const std::string& more = "") {
    return "[CNC]\r\ncheck_ver=4\r\nPort=" + sim.portPath() + "\r\nspeed=9600\r\n" + more;
  }

  QWidget* openSettings() {
    window->findChild<QAction*>("settings_cl")->trigger();
    return window->findWindow("Form4");
  }
  template <typename T>
  T* control(const char* name) {
    QWidget* settings = window->findWindow("Form4");
    return settings != nullptr ? settings->findChild<T*>(name) : nullptr;
  }
  QLineEdit* field(const char* name) { return control<QLineEdit>(name); }
  void click(const char* name) { control<QPushButton>(name)->click(); }
  void setPort(const std::string& name) {
    control<QComboBox>("Combo2")->setCurrentText(QString::fromStdString(name));
  }
  bool settingsOpen() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window->findWindow("Form4") != nullptr;
  }
  std::string ini() const { return folder.read("cnc.ini"); }

  vexa::test::TempFolder folder;
  vexa::test::RecordingPrompts prompts;
  std::unique_ptr<MainWindow> window;
};

bool sameMessages(const std::vector<ShownMessage>& shown,
                  const std::vector<ShownMessage>& expected) {
  if (shown.size() != expected.size()) return false;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i].caption != expected[i].caption || shown[i].text != expected[i].text) {
      qWarning("message %zu: [%s] %s", i, shown[i].caption.c_str(), shown[i].text.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

class SettingsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    qputenv(vexa::app::kUpdateServerVariable, vexa::test::ClosedLocalAddress());
  }

  void opensFromTheMenuWithTheValuesInMemory() {
    SimProcess sim;
    Application app(Application::iniFor(
        sim, "SM_X_ratio=-0.005\r\nSM_Y_ratio=0,0025\r\nSM_delay=1500\r\nSM_optim=1\r\n"));
    QWidget* settings = app.openSettings();
    QVERIFY(settings);
    QCOMPARE(settings->windowTitle(), QString("Настройка и калибровка"));
    QVERIFY(qobject_cast<QMdiSubWindow*>(settings->parentWidget()));  // not modal

    QCOMPARE(app.field("Text1")->text(), QString("-0,005"));
    QCOMPARE(app.field("Text2")->text(), QString("0,0025"));
    QCOMPARE(app.field("Text3")->text(), QString("0,005"));
    QCOMPARE(app.field("Text4")->text(), QString("1500"));
    QVERIFY(app.control<QCheckBox>("Check1")->isChecked());
    QCOMPARE(app.control<QCheckBox>("Check1")->text(), QString("Оптимизация"));
    QCOMPARE(app.control<QComboBox>("Combo2")->currentText(),
             QString::fromStdString(sim.portPath()));
    QVERIFY(app.control<QComboBox>("Combo2")->isEditable());

    auto* speed = app.control<QComboBox>("Combo1");
    QVERIFY(speed->isEditable());
    QStringList speeds;
    for (int i = 0; i < speed->count(); ++i) speeds << speed->itemText(i);
    QCOMPARE(speeds,
             QStringList({"4800", "9600", "14400", "19200", "28800", "38400", "57600", "115200"}));
    QCOMPARE(speed->currentText(), QString("9600"));

    QStringList groups;
    for (QGroupBox* box : settings->findChildren<QGroupBox*>()) groups << box->title();
    QCOMPARE(groups, QStringList({"Перемещение в мм, соответствующее одному шагу ШД",
                                  "Задержка между шагами при холостом ходе", "Виртуальный COM-порт",
                                  "Скорость"}));
    QCOMPARE(app.control<QLabel>("Label6")->text(),
             QString("\"Оптимизация\" означает режим, при котором следующая команда посылается "
                     "не дожидаясь окончания текущей. Даёт выигрыш в скорости. На некоторых "
                     "Arduino ведёт себя непредсказуемо."));
    QCOMPARE(app.control<QPushButton>("Command1")->text(), QString("Проверить соединение"));
    QCOMPARE(app.control<QPushButton>("Command2")->text(), QString("ОК"));
    QCOMPARE(app.control<QPushButton>("Command3")->text(), QString("Отмена"));
  }

  void theSystemsPortsAreOfferedWithTheirDescriptionsAndPickedByName() {
    QComboBox list;
    list.setEditable(true);
    vexa::app::OfferPorts(list, {{"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/ttyS0", ""}});
    list.setEditText("com8");
    QCOMPARE(list.itemText(0), QString("/dev/ttyUSB0 — FT232R USB UART"));
    QCOMPARE(list.itemText(1), QString("/dev/ttyS0"));
    for (int index : {1, 0}) {
      list.setCurrentIndex(index);
      emit list.activated(index);
      QCOMPARE(list.currentText(), QStringList({"/dev/ttyUSB0", "/dev/ttyS0"})[index]);
    }
    QCOMPARE(list.completer(), nullptr);  // a typed "/dev/tty" is not completed
  }

  void okStoresTheTextsAsTypedAndTheValuesInMemory() {
    SimProcess sim({"--tag", "OT"});
    Application app(Application::iniFor(sim));
    app.openSettings();
    app.field("Text1")->clear();
    QTest::keyClicks(app.field("Text1"), "0.01");
    app.field("Text4")->setText("1800");
    app.control<QCheckBox>("Check1")->setChecked(true);
    app.click("Command2");

    QVERIFY(!app.settingsOpen());
    QVERIFY(app.prompts.messages.empty());  // the check says nothing at ОК
    QCOMPARE(sim.receivedCommands(), Commands{"V"});
    QCOMPARE(app.window->machineSettings().SM_X_ratio, 0.01);
    QCOMPARE(app.window->machineSettings().SM_delay, 1800);
    QCOMPARE(app.window->machineSettings().SM_optim, 1);
    QVERIFY(app.window->machineLink().isOpen());
    const std::string expected = "[CNC]\r\ncheck_ver=4\r\nport=" + sim.portPath() +
                                 "\r\nspeed=9600\r\nSM_X_ratio=0.01\r\nSM_Y_ratio=0,005\r\n"
                                 "SM_Z_ratio=0,005\r\nSM_delay=1800\r\nSM_optim=1\r\n";
    QCOMPARE(QString::fromStdString(app.ini()), QString::fromStdString(expected));

    app.openSettings();
    QCOMPARE(app.field("Text1")->text(), QString("0,01"));
  }

  void theGcodeFormIsStoredOnlyOnceChosen() {
    SimProcess sim({"--tag", "OT"});
    Application app(Application::iniFor(sim));
    app.openSettings();
    auto* form = app.control<QComboBox>("Combo3");
    QCOMPARE(form->currentText(), QString("Vexa"));
    app.click("Command2");
    QVERIFY(app.ini().find("gcode_dialect") == std::string::npos);  // the default stays unwritten

    app.openSettings();
    app.control<QComboBox>("Combo3")->setCurrentIndex(1);
    app.click("Command2");
    QVERIFY(app.ini().find("gcode_dialect=standard\r\n") != std::string::npos);
    app.openSettings();
    QCOMPARE(app.control<QComboBox>("Combo3")->currentText(), QString("Стандартный"));
    app.control<QComboBox>("Combo3")->setCurrentIndex(0);
    app.click("Command2");
    QVERIFY(app.ini().find("gcode_dialect=vexa") != std::string::npos);
  }

  void aSpeedTypedIntoTheListIsUsedAsTyped() {
    SimProcess sim;
    Application app(Application::iniFor(sim));
    app.openSettings();
    app.control<QComboBox>("Combo1")->setCurrentText("1200");
    app.click("Command2");
    QVERIFY(!app.settingsOpen());
    QCOMPARE(app.window->machineLink().speed, 1200);
    QCOMPARE(app.window->settingsFile().ReadSetting("speed", "9600"), std::string("1200"));
  }

  void checkingWithAnyTagSaysThePortIsOpen() {
    SimProcess sim({"--tag", "OT"});
    Application app(Application::iniFor(sim));
    app.openSettings();
    app.click("Command1");
    QVERIFY(sameMessages(app.prompts.messages, {{"Проверка соединения", "Com-порт открыт"}}));
    // The outline firmware's round trip is measured with its millimetre move of zero steps.
    QCOMPARE(sim.receivedCommands(), (Commands{"V", "0,0,0", "0,0,0", "0,0,0", "0,0,0", "0,0,0"}));
    const QString roundTrip = app.control<QLabel>("Label7")->text();
    QVERIFY2(roundTrip.startsWith("Отклик: ") && roundTrip.endsWith(" мс"), qPrintable(roundTrip));
    QVERIFY(app.window->machineLink().pace.measured);
    QVERIFY(app.window->machineLink().isOpen());
    QVERIFY(app.settingsOpen());
  }

  void checkingASilentControllerNamesThePossibleCauses() {
    SimProcess sim({"--silent"});
    Application app(Application::iniFor(sim));
    app.openSettings();
    app.click("Command1");
    QVERIFY(sameMessages(app.prompts.messages,
                         {{"Проверка соединения",
                           "Ардуино не отвечает. Возможные причины:\r\n   - прошивка устарела\r\n"
                           "   - установлена неверная скорость COM-порта"}}));
    QVERIFY(app.window->machineLink().isOpen());  // the port stays open
  }

  void checkingAMissingPortGivesBothMessagesInOrder() {
    SimProcess sim;
    Application app(Application::iniFor(sim));
    app.openSettings();
    const std::string missing = "/dev/vexa-no-such-port";
    app.setPort(missing);
    app.click("Command1");
    QVERIFY(sameMessages(app.prompts.messages,
                         {{"Ziravev AVE", vexa::link::PortNotFoundText(missing)},
                          {"Проверка соединения",
                           std::string("Ошибка открытия Com-порта\r\n") + std::strerror(ENOENT)}}));
    QVERIFY(!app.window->machineLink().isOpen());
    QCOMPARE(app.window->machineLink().portName, missing);
  }

  void cancelAfterACheckKeepsTheCheckedPortButNotTheFile() {
    SimProcess first;
    SimProcess second({"--tag", "MT"});
    Application app(Application::iniFor(first));
    const std::string before = app.ini();
    app.openSettings();
    app.setPort(second.portPath());
    app.click("Command1");
    app.click("Command3");

    QVERIFY(!app.settingsOpen());
    QCOMPARE(app.window->machineLink().portName, second.portPath());
    QVERIFY(app.window->machineLink().isOpen());
    QCOMPARE(second.receivedCommands(),
             (Commands{"V", "0,0,0,0", "0,0,0,0", "0,0,0,0", "0,0,0,0", "0,0,0,0"}));
    QCOMPARE(app.ini(), before);
  }

  void refusedFieldsKeepTheWindowOpenAndChangeNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("X not a number")
        << "Text1"
        << "0.0.1"
        << "Перемещение на один шаг по оси X должно быть числом, например 0,005.";
    QTest::newRow("Y zero") << "Text2"
                            << "0"
                            << "Перемещение на один шаг по оси Y не может быть равно нулю.";
    QTest::newRow("speed zero")
        << "Combo1"
        << "0"
        << "Скорость COM-порта должна быть целым числом больше нуля, например 9600.";
  }
  void refusedFieldsKeepTheWindowOpenAndChangeNothing() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, message);
    SimProcess sim;
    Application app(Application::iniFor(sim));
    const std::string before = app.ini();
    app.openSettings();
    app.setPort("/dev/vexa-no-such-port");
    if (auto* list = app.control<QComboBox>(name.toUtf8().constData())) {
      list->setCurrentText(text);
    } else {
      app.field(name.toUtf8().constData())->setText(text);
    }
    app.click("Command2");

    QVERIFY(sameMessages(app.prompts.messages, {{"Ошибка", message.toStdString()}}));
    QVERIFY(app.settingsOpen());
    QCOMPARE(app.ini(), before);
    QCOMPARE(app.window->machineSettings().SM_X_ratio, 0.005);
    QCOMPARE(app.window->machineLink().portName, sim.portPath());
    QVERIFY(app.window->machineLink().isOpen());  // the port was not touched
  }

  void aCheckWithABadSpeedKeepsThePort() {
    SimProcess sim;
    Application app(Application::iniFor(sim));
    app.openSettings();
    app.control<QComboBox>("Combo1")->setCurrentText("");
    app.click("Command1");
    QVERIFY(sameMessages(
        app.prompts.messages,
        {{"Ошибка", "Скорость COM-порта должна быть целым числом больше нуля, например 9600."}}));
    QVERIFY(app.window->machineLink().isOpen());
    QVERIFY(sim.receivedCommands().empty());
  }

  void theCloseBoxStoresNothing() {
    SimProcess sim;
    Application app(Application::iniFor(sim));
    const std::string before = app.ini();
    QWidget* settings = app.openSettings();
    app.field("Text1")->setText("0,02");
    QVERIFY(qobject_cast<QMdiSubWindow*>(settings->parentWidget())->close());
    QVERIFY(!app.settingsOpen());
    QCOMPARE(app.ini(), before);
    QCOMPARE(app.window->machineSettings().SM_X_ratio, 0.005);
  }

  void closingDuringACheckWaitsForItsEnd() {
    SimProcess sim({"--silent"});
    Application app(Application::iniFor(sim));
    QPointer<QWidget> settings = app.openSettings();
    auto* frame = qobject_cast<QMdiSubWindow*>(settings->parentWidget());
    bool closedDuringCheck = true;
    QTimer::singleShot(0, frame, [&] { closedDuringCheck = frame->close(); });
    app.click("Command1");  // the silent controller keeps the check waiting for seconds

    QVERIFY(!closedDuringCheck);
    QCOMPARE(app.prompts.messages.size(), size_t(1));  // the check ran to its end
    QVERIFY(!app.settingsOpen());
    QVERIFY(!settings);
  }

  void anUnwritableFileIsReportedAndTheWindowStays() {
    SimProcess sim;
    Application app(Application::iniFor(sim));
    app.openSettings();
    app.field("Text1")->setText("0,02");
    // Something else now stands where cnc.ini was.
    std::filesystem::remove(app.folder / "cnc.ini");
    std::filesystem::create_directory(app.folder / "cnc.ini");
    app.click("Command2");

    QCOMPARE(app.prompts.messages.size(), size_t(1));
    QCOMPARE(app.prompts.messages[0].caption, std::string("Ошибка"));
    QVERIFY(app.prompts.messages[0].text.rfind("Не удалось сохранить настройки в файл ", 0) == 0);
    QVERIFY(app.settingsOpen());
    QCOMPARE(app.window->machineSettings().SM_X_ratio, 0.02);  // in force for this run
  }
};

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
