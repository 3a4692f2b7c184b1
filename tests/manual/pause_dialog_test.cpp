// The pause dialog of a milling job against vexa-sim.

#include "manual/pause_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "manual/cutter_lift.h"
#include "support/sim_link.h"
#include "support/sim_sync.h"

using vexa::manual::PauseDialog;
using vexa::test::SimLink;
using Commands = std::vector<std::string>;

class PauseDialogTest : public QObject {
  Q_OBJECT

  static QPushButton* button(PauseDialog& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(name);
  }

 private slots:
  void raisesAndLowersTheCutterWhileStopIsPending() {
    SimLink sim;
    sim.link.StopRequested = true;  // as when a job is paused
    PauseDialog dialog(sim.link, sim.machine, sim.settings);
    QCOMPARE(dialog.depthField()->text(), QString("10"));
    button(dialog, "Command1")->click();
    button(dialog, "Command2")->click();
    sim.machine.SM_Z_ratio = -0.005;
    button(dialog, "Command1")->click();
    dialog.depthField()->setText("0");
    button(dialog, "Command1")->click();  // no step: nothing sent
    QCOMPARE(sim.sim.receivedCommands(),
             (Commands{"0,0,2000,2000", "0,0,-2000,2000", "0,0,-2000,2000"}));
    QVERIFY(sim.link.StopRequested);  // the job decides what becomes of the stop
  }

  void aDepthThatIsNotANumberSendsNothing() {
    SimLink sim;
    PauseDialog dialog(sim.link, sim.machine, sim.settings);
    for (const char* depth : {"", "-", ",", "1,2,3"}) {
      dialog.depthField()->setText(depth);
      button(dialog, "Command2")->click();
    }
    QCOMPARE(sim.prompts.messages.size(), size_t(4));
    QCOMPARE(sim.prompts.messages[0].caption, std::string("Ошибка"));
    QCOMPARE(sim.prompts.messages[0].text, std::string(vexa::manual::kDepthNotNumberText));
    QVERIFY(sim.sim.receivedCommands().empty());
  }

  void answersAndRemembersTheDepth() {
    SimLink sim;
    sim.settings.WriteSetting("mill_change_depth", "2,5");
    {
      PauseDialog dialog(sim.link, sim.machine, sim.settings);
      QCOMPARE(dialog.depthField()->text(), QString("2,5"));
      dialog.show();
      dialog.depthField()->setText("4");
      dialog.close();  // the close box means continue
      QCOMPARE(dialog.answer(), 1);
    }
    QCOMPARE(sim.settings.ReadSetting("mill_change_depth", "10"), std::string("4"));
    PauseDialog dialog(sim.link, sim.machine, sim.settings);
    button(dialog, "Command4")->click();
    QCOMPARE(dialog.answer(), 0);
    PauseDialog again(sim.link, sim.machine, sim.settings);
    button(again, "Command3")->click();
    QCOMPARE(again.answer(), 1);
  }

  void aReadFailureEndsTheLiftAndKeepsTheDialog() {
    SimLink sim({"--hangup-after", "1"});
    PauseDialog dialog(sim.link, sim.machine, sim.settings);
    dialog.show();
    button(dialog, "Command1")->click();
    QCOMPARE(sim.prompts.messages.size(), size_t(1));
    QCOMPARE(sim.prompts.messages[0].text, vexa::link::ReadErrorText());
    QVERIFY(dialog.isVisible());
    button(dialog, "Command4")->click();
    QCOMPARE(dialog.answer(), 0);
  }

  // A lift that a hung board never confirms: stopping the job, or the close box, is a stop
  // asked for again (the job is paused by the first), so the wait ends and the job with it.
  // "Продолжить" during the lift only waits for it.
  void aLiftTheBoardNeverConfirmsEndsWhenTheJobIsStopped_data() {
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("Остановить") << QStringList{"Command4"};
    QTest::newRow("close box") << QStringList{"close"};
    QTest::newRow("Продолжить, then Остановить") << QStringList{"Command3", "Command4"};
  }
  void aLiftTheBoardNeverConfirmsEndsWhenTheJobIsStopped() {
    QFETCH(QStringList, buttons);
    SimLink sim({"--silent"});
    sim.link.StopRequested = true;  // as when a job is paused
    PauseDialog dialog(sim.link, sim.machine, sim.settings);
    dialog.show();
    vexa::test::OnceReceived(sim.sim, 1, &dialog, [&] {
      for (const QString& name : buttons) {
        if (name == "close") {
          dialog.close();
        } else {
          button(dialog, name.toUtf8().constData())->click();
        }
        QVERIFY(dialog.isVisible() || name == buttons.back());
      }
    });
    vexa::test::HangUpIfStillWaiting(sim.sim, &dialog);
    button(dialog, "Command1")->click();
    QCOMPARE(sim.prompts.messages.size(), size_t(1));
    QCOMPARE(sim.prompts.messages[0].text,
             std::string("Контроллер не отвечает. Работа остановлена."));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.answer(), 0);
    QCOMPARE(sim.sim.receivedCommands(), Commands{"0,0,2000,2000"});
  }
};

QTEST_MAIN(PauseDialogTest)
#include "pause_dialog_test.moc"
