// The firmware notice, and the status line that a machine window fills at start-up.

#include "widgets/firmware_notice_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "link/web_site.h"
#include "support/sim_link.h"
#include "version.h"
#include "widgets/machine_status_widget.h"

using vexa::widgets::FirmwareNoticeDialog;

class FirmwareNoticeDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheTextAndBothLinks() {
    std::vector<QString> opened;
    FirmwareNoticeDialog notice(nullptr, [&](const QString& address) {
      opened.push_back(address);
      return true;
    });
    notice.setText("Работа со станком невозможна. Возможные причины:\r\n   - прошивка устарела");
    QCOMPARE(notice.windowTitle(), QString("Внимание"));
    QCOMPARE(notice.messageLabel()->text(),
             QString("Работа со станком невозможна. Возможные причины:\n   - прошивка устарела"));
    QCOMPARE(notice.findChild<QLabel*>("Label2")->text(), QString("Обновить/изменить прошивку:"));
    const QString host = VEXA_WEB_HOST;
    emit notice.findChild<QLabel*>("Text1")->linkActivated("http://" + host + "/flash_list");
    emit notice.findChild<QLabel*>("Text2")->linkActivated("http://" + host + "/");
    QCOMPARE(opened,
             (std::vector<QString>{"http://" + host + "/flash_list", "http://" + host + "/"}));
    QVERIFY(notice.findChild<QLabel*>("Text1")->text().contains(
        QString::fromStdString(vexa::link::WebSiteAddress("/flash_list"))));

    notice.show();
    notice.findChild<QPushButton*>("Command1")->click();
    QVERIFY(!notice.isVisible());
  }

  void aRefusedLinkTurnsTheMessageRed() {
    FirmwareNoticeDialog notice(nullptr, [](const QString&) { return false; });
    notice.setText("x");
    emit notice.findChild<QLabel*>("Text1")->linkActivated("http://example/flash_list");
    QCOMPARE(notice.messageLabel()->text(),
             QString("Операционная система не позволяет открыть страницу. Откройте адрес в "
                     "браузере самостоятельно."));
    QVERIFY(notice.messageLabel()->styleSheet().contains("rgb(255, 0, 0)"));
  }

  void statusLineSwitchesMachineControlsOffOnTheWrongFirmware() {
    vexa::test::SimLink sim({"--tag", "OT"});
    vexa::widgets::MachineStatusWidget status("Label5");
    QCheckBox run("Фрезеровать"), back("С возвратом в исх.");
    QPushButton manual("Ручная уст-ка");
    const auto result = status.runStartupCheck(sim.link, {"MT"}, {&run, &back, &manual});
    QCOMPARE(status.findChild<QLabel*>("Label5")->text(), QString("Некорректная прошивка"));
    QVERIFY(!result.controlsOn);
    QVERIFY(!run.isEnabled() && !back.isEnabled() && !manual.isEnabled());
    QCOMPARE(sim.prompts.firmwareNotices.size(), size_t(1));
  }

  void statusLineLeavesControlsAsDesignedWhenTheTagFits() {
    vexa::test::SimLink sim({"--tag", "MT"});
    vexa::widgets::MachineStatusWidget status("Label5");
    QCheckBox run("Фрезеровать");
    status.runStartupCheck(sim.link, {"MT"}, {&run});
    QCOMPARE(status.statusText(), QString("Com-порт открыт"));
    QVERIFY(run.isEnabled());
    QVERIFY(sim.prompts.firmwareNotices.empty());
  }
};

QTEST_MAIN(FirmwareNoticeDialogTest)
#include "firmware_notice_dialog_test.moc"
