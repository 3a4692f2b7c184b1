// The About window with the main window's update check against a web server on 127.0.0.1.

#include "app/about_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/main_window.h"
#include "app/qt_update_check.h"
#include "app/update_server.h"
#include "link/web_site.h"
#include "local_http_server.h"
#include "picture/qt_path.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

using vexa::app::AboutDialog;
using vexa::app::MainWindow;
using vexa::test::LocalHttpServer;
using vexa::test::VersionReply;

namespace {

const QString kRed = "color: rgb(255, 0, 0);";
const QString kBlack = "color: rgb(0, 0, 0);";

// A main window whose update check goes to `server` ("" : a port where nobody listens).
struct Application {
  explicit Application(const QByteArray& server, const std::string& iniText = "") {
    qputenv(vexa::app::kUpdateServerVariable,
            server.isEmpty() ? vexa::test::ClosedLocalAddress() : server);
    if (!iniText.empty()) folder.write("cnc.ini", iniText);
    window = std::make_unique<MainWindow>(folder.path(), prompts);
  }
  bool checkEnds() {
    QSignalSpy ended(window->findChild<vexa::app::UpdateCheck*>(),
                     &vexa::app::UpdateCheck::finished);
    return ended.wait(10000);
  }
  std::string ini(const char* key) const { return window->settingsFile().ReadSetting(key, "none"); }

  vexa::test::TempFolder folder;
  vexa::test::RecordingPrompts prompts;
  std::unique_ptr<MainWindow> window;
};

struct OpenAbout {
  explicit OpenAbout(Application& app, AboutDialog::UrlOpener opener = {})
      : dialog(*app.window, nullptr, std::move(opener)) {
    dialog.show();
  }
  QLabel* label(const char* name) { return dialog.findChild<QLabel*>(name); }
  QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(name); }
  QComboBox* list() { return dialog.findChild<QComboBox*>("Combo1"); }

  // Presses "Проверить" and returns every caption the button showed meanwhile.
  QStringList check() {
    QPushButton* checkButton = button("Command1");
    QStringList captions;
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      if (captions.isEmpty() || captions.last() != checkButton->text()) {
        captions << checkButton->text();
      }
    });
    watcher.start();
    checkButton->click();
    watcher.stop();
    captions << checkButton->text();
    captions.removeDuplicates();
    return captions;
  }

  AboutDialog dialog;
};

}  // namespace

class AboutDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void beforeAnyAnswerItShowsTheInstalledVersionAndOffersTheCheck() {
    Application app("", "[CNC]\r\ncheck_ver=2\r\n");
    OpenAbout about(app);
    QCOMPARE(about.dialog.objectName(), QString("Form12"));
    QCOMPARE(about.dialog.windowTitle(), QString("О программе"));
    QCOMPARE(about.label("Label1")->text(),
             QString("Программа Vexa (Vexa) предназначена для работы со станками с ЧПУ различных "
                     "конфигураций. В качестве контроллера используется Arduino (Nano, UNO, "
                     "Mega)."));
    QCOMPARE(about.label("Label2")->text(), QString("Установленная версия:"));
    QCOMPARE(about.label("Label3")->text(), QString("2.2.0"));
    QCOMPARE(about.label("Label4")->text(), QString("Актуальная версия:"));
    QCOMPARE(about.label("Label11")->text(), QString("Папка программы:"));
    QCOMPARE(about.label("Label12")->text(),
             QDir::toNativeSeparators(vexa::picture::ToQString(app.folder.path())));
    QVERIFY(about.label("Label6")->isHidden());
    QVERIFY(!about.button("Command1")->isHidden());
    QCOMPARE(about.button("Command1")->text(), QString("Проверить"));
    QCOMPARE(about.button("Command2")->text(), QString("Закрыть"));

    QStringList entries;
    for (int i = 0; i < about.list()->count(); ++i) entries << about.list()->itemText(i);
    QCOMPARE(entries, QStringList({"каждый запуск", "раз в сутки", "раз в неделю", "раз в месяц",
                                   "никогда"}));
    QCOMPARE(about.list()->currentIndex(), 2);
  }

  void theSameVersionIsUpToDate() {
    LocalHttpServer server(VersionReply("2.2.0"));
    Application app(server.address());
    QVERIFY(app.checkEnds());
    QVERIFY(app.window->noticePanel()->isHidden());

    OpenAbout about(app);
    QCOMPARE(about.label("Label5")->text(), QString("2.2.0"));
    QCOMPARE(about.label("Label6")->text(), QString("Установлена актуальная версия ПО"));
    QCOMPARE(about.label("Label6")->styleSheet(), kBlack);
    QVERIFY(!about.label("Label6")->isHidden());
    QVERIFY(about.button("Command1")->isHidden());
  }

  void aTrailingLineEndRecommendsAnUpdate() {
    LocalHttpServer server(VersionReply("2.2.0\r\n"));
    Application app(server.address());
    QVERIFY(app.checkEnds());
    QVERIFY(!app.window->noticePanel()->isHidden());

    OpenAbout about(app);
    QCOMPARE(about.label("Label6")->text(), QString("Рекомендуется обновление программы"));
    QCOMPARE(about.label("Label6")->styleSheet(), kRed);
    QVERIFY(about.button("Command1")->isHidden());
  }

  void checkingAsksTheServerWhenNoCheckRanAtStart() {
    LocalHttpServer server(VersionReply("2.3.0"));
    Application app(server.address(), "[CNC]\r\ncheck_ver=4\r\n");
    OpenAbout about(app);
    QVERIFY(server.requests.isEmpty());

    const QStringList captions = about.check();
    QCOMPARE(captions.first(), QString("Проверка 5"));
    QCOMPARE(captions.last(), QString("Проверить"));
    QCOMPARE(server.requests.size(), 1);
    QCOMPARE(app.window->CVer, std::string("2.3.0"));
    QCOMPARE(about.label("Label5")->text(), QString("2.3.0"));
    QCOMPARE(about.label("Label6")->text(), QString("Рекомендуется обновление программы"));
    QVERIFY(about.button("Command1")->isHidden());
  }

  void checkingWithoutAServerCountsDownAndGivesUp() {
    Application app("", "[CNC]\r\ncheck_ver=4\r\n");
    OpenAbout about(app);
    const QStringList captions = about.check();

    QCOMPARE(captions, QStringList({"Проверка 5", "Проверка 4", "Проверка 3", "Проверка 2",
                                    "Проверка 1", "Проверить"}));
    QCOMPARE(about.label("Label6")->text(),
             QString("Не удается соединиться с сервером.\nПроверьте актуальность ПО "
                     "самостоятельно"));
    QCOMPARE(about.label("Label6")->styleSheet(), kRed);
    QVERIFY(!about.label("Label6")->isHidden());
    QCOMPARE(about.label("Label5")->text(), QString("не известно"));
    QVERIFY(about.button("Command1")->isHidden());
    QVERIFY(app.window->CVer.empty());
  }

  void choosingAFrequencyWritesIt() {
    Application app("", "[CNC]\r\ncheck_ver=4\r\n");
    OpenAbout about(app);
    about.list()->setCurrentIndex(1);
    emit about.list()->activated(1);
    QCOMPARE(app.window->check_ver, 1);
    QCOMPARE(app.ini("check_ver"), std::string("1"));
  }

  void aFrequencyOutsideTheListSelectsTheFirst() {
    Application app("", "[CNC]\r\ncheck_ver=9\r\n");
    QVERIFY(!app.window->findChild<QTimer*>("Timer1")->isActive());  // no automatic check
    OpenAbout about(app);
    QCOMPARE(about.list()->currentIndex(), 0);
    QCOMPARE(app.window->check_ver, 0);
    QCOMPARE(app.ini("check_ver"), std::string("0"));
  }

  void linksOpenTheWebSitePages() {
    Application app("", "[CNC]\r\ncheck_ver=4\r\n");
    QStringList opened;
    OpenAbout about(app, [&](const QString& address) {
      opened << address;
      return true;
    });
    QCOMPARE(about.label("Label8")->text(), QString("Скачать/обновить программу:"));
    QCOMPARE(about.label("Label9")->text(), QString("Посетить сайт проекта:"));
    QCOMPARE(about.label("Label10")->text(), QString("Обновить/изменить прошивку:"));
    const QStringList addresses = {
        QString::fromStdString(vexa::link::WebSiteAddress("/download")),
        QString::fromStdString(vexa::link::WebSiteAddress("")),
        QString::fromStdString(vexa::link::WebSiteAddress("/flash_list"))};
    int index = 0;
    for (const char* name : {"Text1", "Text2", "Text3"}) {
      QVERIFY(about.label(name)->text().contains(addresses[index++]));
      emit about.label(name)->linkActivated(addresses[index - 1]);
    }
    QCOMPARE(opened, addresses);
  }

  void aRefusedLinkIsExplainedInRed() {
    Application app("", "[CNC]\r\ncheck_ver=4\r\n");
    OpenAbout about(app, [](const QString&) { return false; });
    emit about.label("Text1")->linkActivated(
        QString::fromStdString(vexa::link::WebSiteAddress("/download")));
    QCOMPARE(about.label("Label1")->text(),
             QString("Операционная система не позволяет открыть страницу. Откройте адрес в "
                     "браузере самостоятельно."));
    QCOMPARE(about.label("Label1")->styleSheet(), kRed);
  }

  void closeEndsTheDialog() {
    Application app("", "[CNC]\r\ncheck_ver=4\r\n");
    OpenAbout about(app);
    about.button("Command2")->click();
    QVERIFY(about.dialog.isHidden());
  }
};

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
