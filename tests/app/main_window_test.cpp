// The main window: start-up, menu, which windows the menu closes, reopens or raises, and the
// update check it schedules.

#include "app/main_window.h"

#include <QAction>
#include <QDate>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "app/qt_update_check.h"
#include "app/qt_window_registry.h"
#include "app/update_server.h"
#include "local_http_server.h"
#include "picture/bmp_file.h"
#include "support/recording_prompts.h"
#include "support/sim_process.h"
#include "support/sim_sync.h"
#include "support/temp_folder.h"

using vexa::app::MainWindow;
using vexa::test::LocalHttpServer;
using vexa::test::VersionReply;

namespace {

const QString kNoticeText =
    "Вышли обновления программы. Настройка уведомлений и подробности: Меню -> О программе";

QString isoDate(const QDate& date) {
  return date.toString("yyyy-MM-dd");
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  static QAction* entry(MainWindow& window, const char* name) {
    return window.findChild<QAction*>(name);
  }
  static void flushDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Waits until the automatic update check has ended, answered or not.
  static bool checkEnds(MainWindow& window) {
    QSignalSpy ended(window.findChild<vexa::app::UpdateCheck*>(),
                     &vexa::app::UpdateCheck::finished);
    return ended.wait(10000);
  }

  // Registers a plain window for `formName` and counts how often it is built.
  static void registerPlainWindow(MainWindow& window, const QString& formName, int* built) {
    window.setWindowFactory(formName, [formName, built](MainWindow&) {
      ++*built;
      auto* widget = new QWidget;
      widget->setObjectName(formName);
      return widget;
    });
  }

 private slots:
  void initTestCase() {
    // No network in tests: unless a test starts its own server, the automatic update check of
    // every window here goes to a local port where nobody listens.
    cleanup();
  }
  void cleanup() { qputenv(vexa::app::kUpdateServerVariable, vexa::test::ClosedLocalAddress()); }

  void startsWithoutSettingsFileAndReportsTheMissingPortOnce() {
    vexa::test::TempFolder folder;
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts);

    QCOMPARE(window.objectName(), QString("MDIForm1"));
    QCOMPARE(window.windowTitle(), QString("Zorazad IDO   ver. 2.2.0"));
    QCOMPARE(window.size(), QSize(1280, 720));
    QCOMPARE(prompts.messages.size(), size_t(1));
    QCOMPARE(prompts.messages[0].caption, std::string("Ziravev AVE"));
    QVERIFY(prompts.messages[0].text.rfind("Порт com1 не найден.\r\n\r\n", 0) == 0);
    QVERIFY(!window.machineLink().isOpen());
    QCOMPARE(window.machineLink().speed, 9600);
    QCOMPARE(window.machineSettings().SM_X_ratio, 0.005);
    QCOMPARE(window.machineSettings().SM_delay, 2000);
    QCOMPARE(window.check_ver, 0);
    // Every start checks for updates by default and records the day it did.
    QCOMPARE(QString::fromStdString(window.check_prev), isoDate(QDate::currentDate()));
    QVERIFY(window.noticePanel()->isHidden());
  }

  void opensTheConfiguredPortAtStartAndClosesItAtExit() {
    vexa::test::SimProcess sim;
    vexa::test::TempFolder folder;
    folder.write("cnc.ini",
                 "[CNC]\r\nPort=" + sim.portPath() + "\r\nspeed=0\r\nSM_X_ratio=-0,01\r\n");
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts);

    QVERIFY(prompts.messages.empty());
    QVERIFY(window.machineLink().isOpen());
    QCOMPARE(window.machineLink().speed, 9600);
    QCOMPARE(window.machineSettings().SM_X_ratio, -0.01);
    window.show();
    QVERIFY(window.close());
    QVERIFY(!window.machineLink().isOpen());
  }

  void menuHoldsEveryEntryInOrder() {
    vexa::test::TempFolder folder;
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts);

    QList<QAction*> bar = window.menuBar()->actions();
    QStringList barNames;
    for (QAction* action : bar) barNames << action->objectName() + "=" + action->text();
    QCOMPARE(barNames, QStringList({"processing_cl=Обработка", "scanner_cl=Сканер",
                                    "link_cl=Связность", "hand_cl=Ручное перемещение ",
                                    "settings_cl=Настройка", "about_cl=О программе"}));
    QStringList processing;
    for (QAction* action : bar.first()->menu()->actions()) {
      processing << action->objectName() + "=" + (action->isSeparator() ? "-" : action->text());
    }
    QCOMPARE(
        processing,
        QStringList({"mill_cl=Фрезеровка", "sep1=-", "etching_cl=Лазер - Градации / картины",
                     "etching2_cl=Лазер - Орнаменты / силуэты", "pic_cl=Лазер - Обработка рисунка",
                     "sep2=-", "wood_cl=Выжигание по дереву", "sep3=-", "shock_cl=Ударная головка",
                     "sep4=-", "gcode_cl=Выполнить G-код…"}));

    // Entries without a window are off; "Связность" stays off even with one.
    QVERIFY(!entry(window, "mill_cl")->isEnabled());
    int built = 0;
    registerPlainWindow(window, "Form10", &built);
    registerPlainWindow(window, "Form1", &built);
    QVERIFY(!entry(window, "link_cl")->isEnabled());
    QVERIFY(entry(window, "mill_cl")->isEnabled());
  }

  void freshStartClosesOperationWindowsButKeepsTheSettingsWindow() {
    vexa::test::TempFolder folder;
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts);
    int rasterBuilt = 0, outlineBuilt = 0, settingsBuilt = 0;
    registerPlainWindow(window, "Form3", &rasterBuilt);
    registerPlainWindow(window, "Form5", &outlineBuilt);
    registerPlainWindow(window, "Form4", &settingsBuilt);
    window.show();

    entry(window, "etching_cl")->trigger();
    QPointer<QWidget> laser = window.findWindow("Form3");
    QVERIFY(laser);
    QCOMPARE(window.rasterContext(), std::string(""));
    entry(window, "etching2_cl")->trigger();
    entry(window, "settings_cl")->trigger();
    QPointer<QWidget> settings = window.findWindow("Form4");

    entry(window, "shock_cl")->trigger();
    flushDeletions();
    QCOMPARE(rasterBuilt, 2);
    QVERIFY(!laser);
    QVERIFY(window.findWindow("Form3"));
    QCOMPARE(window.rasterContext(), std::string("shock_head"));
    QVERIFY(!window.findWindow("Form5"));
    QVERIFY(settings);
    QCOMPARE(window.findWindow("Form4"), settings.data());
  }

  // Closing the main window during a job on a board that has gone silent: the job stops at once
  // with the one message, the laser is told off, and the application closes; one close.
  void oneCloseDuringAJobStopsItAndQuits() {
    vexa::test::SimProcess sim({"--tag", "OT", "--silent-after", "5"});
    vexa::test::TempFolder folder;
    vexa::picture::PixelBuffer line(12, 5);
    for (int x = 2; x <= 11; ++x) line.setGray(x, 3, 0);
    vexa::picture::WriteBmpFile(line, folder / "line.bmp");
    folder.write("cnc.ini", "[CNC]\r\nPort=" + sim.portPath() + "\r\nEtching9_image=" +
                                (folder / "line.bmp").string() + "\r\nEtching9_width=0,06\r\n");
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts);
    vexa::app::RegisterWindows(window, nullptr);
    window.show();
    entry(window, "pic_cl")->trigger();
    QWidget* cutting = window.findWindow("Form9");
    QVERIFY(cutting);
    // "V", the travel, the laser on and two steps are answered; the third step is not.
    vexa::test::OnceReceived(sim, 6, &window, [&] { window.close(); });
    cutting->findChild<QPushButton*>("Command2")->click();
    QTRY_VERIFY(!window.isVisible());
    QCOMPARE(prompts.messages.size(), size_t(1));
    QCOMPARE(prompts.messages[0].text, std::string(vexa::link::kNoAnswerText));
    QTRY_COMPARE(sim.receivedCommands().back(), std::string("0,0,-1"));
  }

  void anOpenWindowIsRaisedNotReloaded() {
    vexa::test::TempFolder folder;
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts);
    int built = 0;
    registerPlainWindow(window, "Form5", &built);
    window.show();

    entry(window, "etching2_cl")->trigger();
    QWidget* first = window.findWindow("Form5");
    entry(window, "etching2_cl")->trigger();
    QCOMPARE(built, 1);
    QCOMPARE(window.findWindow("Form5"), first);
  }

  void hideButtonHidesTheNotice() {
    vexa::test::TempFolder folder;
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts);
    window.show();
    window.noticePanel()->show();
    auto* hide = window.noticePanel()->findChild<QPushButton*>("Command1");
    QCOMPARE(hide->text(), QString("Скрыть"));
    hide->click();
    QVERIFY(window.noticePanel()->isHidden());
  }

  void aStartUpSchedulesTheCheckByFrequency_data() {
    QTest::addColumn<int>("check_ver");
    QTest::addColumn<int>("daysAgo");  // -1: not a date
    QTest::addColumn<bool>("due");
    QTest::newRow("every start, today") << 0 << 0 << true;
    QTest::newRow("daily, yesterday") << 1 << 1 << true;
    QTest::newRow("daily, today") << 1 << 0 << false;
    QTest::newRow("never, not a date") << 4 << -1 << false;
  }
  void aStartUpSchedulesTheCheckByFrequency() {
    QFETCH(int, check_ver);
    QFETCH(int, daysAgo);
    QFETCH(bool, due);
    const QDate today = QDate::currentDate();
    const QString previous = daysAgo < 0 ? QString("when?") : isoDate(today.addDays(-daysAgo));
    vexa::test::TempFolder folder;
    folder.write("cnc.ini", "[CNC]\r\ncheck_ver=" + std::to_string(check_ver) +
                                "\r\ncheck_prev=" + previous.toStdString() + "\r\n");
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts);
    if (QDate::currentDate() != today) QSKIP("midnight passed during the test");

    QCOMPARE(window.findChild<QTimer*>("Timer1")->isActive(), due);
    const QString recorded = QString::fromStdString(
        vexa::settings::SettingsFile(folder / "cnc.ini").ReadSetting("check_prev", "0"));
    QCOMPARE(recorded, due ? isoDate(today) : previous);
    QCOMPARE(QString::fromStdString(window.check_prev), recorded);
  }

  void aDifferentVersionShowsTheNotice() {
    LocalHttpServer server(VersionReply("2.2.0\r\n"));
    qputenv(vexa::app::kUpdateServerVariable, server.address());
    vexa::test::TempFolder folder;
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts);
    window.show();
    QVERIFY(checkEnds(window));

    QCOMPARE(server.requests,
             QList<QByteArray>{"GET http://" + server.address() + "/ver.php HTTP/1.0\r\n\r\n"});
    QCOMPARE(window.CVer, std::string("2.2.0\r\n"));
    QVERIFY(!window.noticePanel()->isHidden());
    QCOMPARE(window.noticeLabel()->text(), kNoticeText);
  }

  void theSameVersionShowsNothing() {
    LocalHttpServer server(VersionReply("2.2.0"));
    qputenv(vexa::app::kUpdateServerVariable, server.address());
    vexa::test::TempFolder folder;
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts);
    window.show();
    QVERIFY(checkEnds(window));
    QCOMPARE(window.CVer, std::string("2.2.0"));
    QVERIFY(window.noticePanel()->isHidden());
  }

  void aReplyInPiecesIsReadWhole() {
    LocalHttpServer server(VersionReply("2.3.0"), /*pauseAfterHeaders=*/true);
    qputenv(vexa::app::kUpdateServerVariable, server.address());
    vexa::test::TempFolder folder;
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts);
    QVERIFY(checkEnds(window));
    QCOMPARE(window.CVer, std::string("2.3.0"));
    QCOMPARE(window.noticeLabel()->text(), kNoticeText);
  }

  void repliesThatAreNoVersionAreIgnored_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("no blank line") << QByteArray("HTTP/1.0 200 OK\r\n2.3.0");
    QTest::newRow("error page") << QByteArray("HTTP/1.0 404 Not Found\r\n\r\n<h1>404</h1>");
    QTest::newRow("empty body") << VersionReply("");
  }
  void repliesThatAreNoVersionAreIgnored() {
    QFETCH(QByteArray, reply);
    LocalHttpServer server(reply);
    qputenv(vexa::app::kUpdateServerVariable, server.address());
    vexa::test::TempFolder folder;
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts);
    QVERIFY(checkEnds(window));
    QCOMPARE(server.requests.size(), 1);
    QCOMPARE(window.CVer, std::string());
    QVERIFY(window.noticePanel()->isHidden());
  }

  void anUnreachableServerIsNoMessage() {
    vexa::test::TempFolder folder;
    vexa::test::RecordingPrompts prompts;
    MainWindow window(folder.path(), prompts);
    window.show();
    QVERIFY(checkEnds(window));
    QCOMPARE(window.CVer, std::string());
    QVERIFY(window.noticePanel()->isHidden());
    QCOMPARE(prompts.messages.size(), size_t(1));  // the missing port only
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
