// The manual positioning window against vexa-sim through the real serial backend.

#include "manual/manual_positioning_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "support/sim_link.h"
#include "support/sim_sync.h"

using vexa::manual::ManualPositioningDialog;
using vexa::test::SimLink;
using Commands = std::vector<std::string>;

namespace {

struct OpenDialog {
  explicit OpenDialog(SimLink& sim) : dialog(sim.link, sim.machine, sim.settings) {}
  QLineEdit* field(const char* name) { return dialog.findChild<QLineEdit*>(name); }
  QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(name); }
  QString status() { return dialog.findChild<QLabel*>("Label8")->text(); }
  void startJogging() { button("Label1")->click(); }
  ManualPositioningDialog dialog;
};

}  // namespace

class ManualPositioningDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void jogFollowsTheFirmwareLayout_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("expected");
    QTest::newRow("raster") << "PT" << "200,0,,,2000";
    QTest::newRow("milling") << "MT" << "200,0,0,2000";
    QTest::newRow("scanner") << "ST" << "200,0,,2000";
  }
  void jogFollowsTheFirmwareLayout() {
    QFETCH(QString, tag);
    QFETCH(QString, expected);
    SimLink sim({"--tag", tag});
    OpenDialog open(sim);
    QCOMPARE(open.status(), QString("Com-порт открыт"));
    QVERIFY(sim.prompts.firmwareNotices.empty());
    open.startJogging();
    QVERIFY(open.dialog.jogging());
    QCOMPARE(open.button("Label1")->text(), QString("Стоп"));
    QVERIFY(!open.field("Text4")->isEnabled());
    QTest::keyClick(&open.dialog, Qt::Key_Left);
    QCOMPARE(sim.sim.receivedCommands(), (Commands{"V", expected.toStdString()}));
  }

  void everyJogKeyAndHalfMillimetreSteps() {
    SimLink sim({"--tag", "MT"});
    sim.settings.WriteSetting("hand_step", "0,5");
    OpenDialog open(sim);
    QCOMPARE(open.field("Text4")->text(), QString("0,5"));
    open.startJogging();
    for (int key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Q,
                    Qt::Key_A}) {
      QTest::keyClick(&open.dialog, Qt::Key(key));
    }
    QTest::keyClick(&open.dialog, Qt::Key_W);  // not a jog key
    QTest::sendKeyEvent(QTest::Click, &open.dialog, Qt::Key(0x419), QString("й"), Qt::NoModifier);
    QCOMPARE(sim.sim.receivedCommands(),
             (Commands{"V", "100,0,0,2000", "-100,0,0,2000", "0,-100,0,2000", "0,100,0,2000",
                       "0,0,100,2000", "0,0,-100,2000", "0,0,100,2000"}));

    open.startJogging();  // off again: the step field can be edited, keys move nothing
    QVERIFY(open.field("Text4")->isEnabled());
    QTest::keyClick(&open.dialog, Qt::Key_Left);
    QCOMPARE(sim.sim.receivedCommands().size(), size_t(8));
    open.field("Text4")->setText("2");
    open.dialog.reject();
    QCOMPARE(sim.settings.ReadSetting("hand_step", "1"), std::string("2"));
  }

  void refusesTagsThatAreNotTwoLettersEndingInT_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("status");
    QTest::newRow("T alone") << "T" << "Некорректная прошивка";
    QTest::newRow("M") << "M" << "Некорректная прошивка";
    QTest::newRow("silent") << "" << "Обновите прошивку";
  }
  void refusesTagsThatAreNotTwoLettersEndingInT() {
    QFETCH(QString, tag);
    QFETCH(QString, status);
    SimLink sim({"--tag", tag});
    OpenDialog open(sim);
    QCOMPARE(open.status(), status);
    QCOMPARE(sim.prompts.firmwareNotices.size(), size_t(1));
    QVERIFY(!open.button("Command1")->isEnabled());
    QVERIFY(!open.button("Command2")->isEnabled());
    open.startJogging();  // allowed, but the guard was never armed
    QTest::keyClick(&open.dialog, Qt::Key_Left);
    QCOMPARE(sim.sim.receivedCommands(), Commands{"V"});
  }

  void acceptsAnyTwoLettersEndingInT() {
    SimLink sim({"--tag", "ZT"});
    OpenDialog open(sim);
    QCOMPARE(open.status(), QString("Com-порт открыт"));
    QVERIFY(open.dialog.moves().armed());
    QCOMPARE(open.dialog.moves().tagLetter(), 'Z');
    open.field("Text1")->setText("1");
    open.button("Command1")->click();  // no layout for Z: nothing is sent
    QCOMPARE(sim.sim.receivedCommands(), Commands{"V"});
  }

  void withoutAPortNothingIsSentAndJoggingIsRefused() {
    SimLink sim({}, /*openPort=*/false);
    OpenDialog open(sim);
    QCOMPARE(open.status(), QString("Ошибка открытия Com-порта"));
    QVERIFY(sim.prompts.firmwareNotices.empty());
    QVERIFY(!open.button("Command1")->isEnabled());
    open.startJogging();
    QVERIFY(!open.dialog.jogging());
    QCOMPARE(sim.prompts.messages.size(), size_t(1));
    QCOMPARE(sim.prompts.messages[0].caption, std::string("Ошибка"));
    QCOMPARE(sim.prompts.messages[0].text,
             std::string("Нет связи с Com-портом\r\nПроверьте соединение с Ардуино"));
    QVERIFY(sim.sim.receivedCommands().empty());
  }

  void distanceFieldsAreCheckedAxisByAxis() {
    SimLink sim({"--tag", "MT"});
    OpenDialog open(sim);
    QLineEdit* x = open.field("Text1");
    x->clear();
    QTest::keyClicks(x, "1.5a");
    QCOMPARE(x->text(), QString("1,5"));  // a point becomes a comma, letters vanish
    open.field("Text2")->setText("");
    open.button("Command1")->click();
    QCOMPARE(sim.prompts.messages.size(), size_t(1));
    QCOMPARE(sim.prompts.messages[0].text,
             std::string("Введите число в поле для перемещения по 2-ой оси!"));
    open.field("Text2")->setText("-2");
    open.field("Text3")->setText("0,005");
    open.button("Command1")->click();
    QCOMPARE(sim.sim.receivedCommands(), (Commands{"V", "300,-400,1,2000"}));
  }

  void aStepFieldThatIsNotANumberDoesNotStartJogging() {
    SimLink sim({"--tag", "MT"});
    OpenDialog open(sim);
    open.field("Text4")->setText("-");
    open.startJogging();
    QVERIFY(!open.dialog.jogging());
    QCOMPARE(sim.prompts.messages.size(), size_t(1));
  }

  void aReadFailureEndsTheMoveAndKeepsTheWindow() {
    SimLink sim({"--tag", "MT", "--hangup-after", "2"});
    OpenDialog open(sim);
    open.field("Text1")->setText("1");
    open.button("Command1")->click();
    QCOMPARE(sim.prompts.messages.size(), size_t(1));
    QCOMPARE(sim.prompts.messages[0].text, vexa::link::ReadErrorText());
    QVERIFY(!open.dialog.moves().armed());
    open.button("Command1")->click();  // no further moves from this window
    QCOMPARE(sim.prompts.messages.size(), size_t(1));
  }

  // A board that answers the firmware check and then hangs with the line open: the first
  // "Стоп" keeps its meaning (none for a waiting move), a second request ends the wait.
  void aSilentBoardIsLeftAtTheSecondStopOrClose_data() {
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Стоп twice") << QStringList{"stop", "stop"} << false;
    QTest::newRow("Стоп, then closing") << QStringList{"stop", "close"} << true;
    QTest::newRow("closing twice") << QStringList{"close", "close"} << true;
  }
  void aSilentBoardIsLeftAtTheSecondStopOrClose() {
    QFETCH(QStringList, presses);
    QFETCH(bool, closes);
    SimLink sim({"--tag", "MT", "--silent-after", "1"});
    OpenDialog open(sim);
    open.dialog.show();
    open.field("Text4")->setText("3");
    auto press = [&] {
      for (const QString& what : presses) {
        if (what == "stop") open.button("Command2")->click();
        if (what == "close") open.dialog.close();
      }
    };
    vexa::test::OnceReceived(sim.sim, 2, &open.dialog, press);
    vexa::test::HangUpIfStillWaiting(sim.sim, &open.dialog);
    open.field("Text1")->setText("1");
    open.button("Command1")->click();
    QCOMPARE(sim.prompts.messages.size(), size_t(1));
    QCOMPARE(sim.prompts.messages[0].text,
             std::string("Контроллер не отвечает. Работа остановлена."));
    QCOMPARE(sim.sim.receivedCommands(), (Commands{"V", "200,0,0,2000"}));
    if (closes) {
      QVERIFY(!open.dialog.isVisible());
      QCOMPARE(sim.settings.ReadSetting("hand_step", "1"), std::string("3"));
      return;
    }
    QVERIFY(open.dialog.isVisible());
    QVERIFY(open.dialog.moves().armed());  // the line is open: the next move goes out
    vexa::test::OnceReceived(sim.sim, 3, &open.dialog, press);
    open.button("Command1")->click();
    QCOMPARE(sim.sim.receivedCommands(), (Commands{"V", "200,0,0,2000", "200,0,0,2000"}));
    QCOMPARE(sim.prompts.messages.size(), size_t(2));
  }

  void aCloseDuringAMoveWaitsForItsReply() {
    SimLink sim({"--tag", "MT", "--delay", "1000"});
    OpenDialog open(sim);
    open.dialog.show();
    vexa::test::OnceReceived(sim.sim, 2, &open.dialog, [&] { open.dialog.close(); });
    open.field("Text1")->setText("1");
    open.button("Command1")->click();
    QVERIFY(!open.dialog.isVisible());
    QVERIFY2(sim.prompts.messages.empty(), "the reply came: nothing to tell");
  }
};

QTEST_MAIN(ManualPositioningDialogTest)
#include "manual_positioning_dialog_test.moc"
