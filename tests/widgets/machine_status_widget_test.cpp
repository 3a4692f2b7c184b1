// The status line after start-up: it follows the link when the board goes away, and the next
// window's check brings a board that is plugged in again back on the same port name.

#include "widgets/machine_status_widget.h"

#include <QCheckBox>
#include <QtTest>

#include "support/sim_link.h"

using vexa::link::TagRule;
using vexa::test::SimLink;
using vexa::test::SimProcess;
using vexa::test::TempFolder;
using vexa::widgets::MachineStatusWidget;

class MachineStatusWidgetTest : public QObject {
  Q_OBJECT

 private slots:
  void aLostLineShowsAndTheNextCheckReopensThePort() {
    TempFolder place;
    const QString port = QString::fromStdString((place / "port").string());
    SimLink sim({"--tag", "PT", "--link", port}, /*openPort=*/false);
    QVERIFY(sim.link.OpenPort(port.toStdString(), 9600));
    QCheckBox engrave;
    MachineStatusWidget status("Label4");
    status.runStartupCheck(sim.link, TagRule{"PT"}, {&engrave});
    QCOMPARE(status.statusText(), QString("Com-порт открыт"));
    QVERIFY(status.portOpen());

    sim.sim.end();  // the cable is pulled
    QTRY_COMPARE(status.statusText(), QString("Связь с контроллером потеряна"));
    QVERIFY(!sim.link.isOpen());
    QVERIFY(!status.portOpen());
    QVERIFY(sim.prompts.messages.empty());

    // Plugged in again under the same name; a window opened now finds it.
    SimProcess board({"--tag", "PT", "--link", port});
    MachineStatusWidget next("Label4");
    next.runStartupCheck(sim.link, TagRule{"PT"}, {&engrave});
    QCOMPARE(next.statusText(), QString("Com-порт открыт"));
    QVERIFY(engrave.isEnabled());
    QCOMPARE(board.receivedCommands(), std::vector<std::string>{"V"});
    QVERIFY(sim.prompts.messages.empty());
  }

  void aWindowOpenedWhileTheBoardIsStillAwayTellsSoQuietly() {
    TempFolder place;
    const QString port = QString::fromStdString((place / "port").string());
    SimLink sim({"--tag", "PT", "--link", port}, /*openPort=*/false);
    QVERIFY(sim.link.OpenPort(port.toStdString(), 9600));
    sim.sim.end();
    QTRY_VERIFY(!sim.link.isOpen());
    QCheckBox engrave;
    MachineStatusWidget status("Label4");
    status.runStartupCheck(sim.link, TagRule{"PT"}, {&engrave});
    QCOMPARE(status.statusText(), QString("Ошибка открытия Com-порта"));
    QVERIFY(!engrave.isEnabled());
    QVERIFY(sim.prompts.messages.empty());
    QVERIFY2(sim.link.lineLost(), "the next window tries again");
  }
};

QTEST_MAIN(MachineStatusWidgetTest)
#include "machine_status_widget_test.moc"
