// The manual positioning window against vexa-sim through the real serial backend.

#include "manual/manual_positioning_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <array>
#include <map>

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
  QStringList position() {
    QStringList shown;
    for (const char* name : {"positionX", "positionY", "positionZ"}) {
      shown << dialog.findChild<QLabel*>(name)->text();
    }
    return shown;
  }
  // "X;Y;Z" typed into the distance fields and "Переместить", or a jog key by its name.
  void make(const QString& move) {
    static const std::map<QString, Qt::Key> kKeys = {
        {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}, {"Up", Qt::Key_Up},
        {"Down", Qt::Key_Down}, {"Q", Qt::Key_Q},         {"A", Qt::Key_A}};
    const auto key = kKeys.find(move);
    if ((key != kKeys.end()) != dialog.jogging()) startJogging();
    if (key != kKeys.end()) {
      QTest::keyClick(&dialog, key->second);
      return;
    }
    const QStringList distances = move.split(';');
    for (int axis = 0; axis < 3; ++axis) {
      field(std::array{"Text1", "Text2", "Text3"}[axis])->setText(distances[axis]);
    }
    button("Command1")->click();
  }
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
    QCOMPARE(open.position()[0], QString("1"));  // it left whole: the board has it
    vexa::test::OnceReceived(sim.sim, 3, &open.dialog, press);
    open.button("Command1")->click();
    QCOMPARE(sim.sim.receivedCommands(), (Commands{"V", "200,0,0,2000", "200,0,0,2000"}));
    QCOMPARE(sim.prompts.messages.size(), size_t(2));
  }

  // The position shown is the steps sent times the axis ratios (X 0,005, Y -0,01, Z 0,0025 mm
  // per step), jogs at 0,5 mm; "Обнулить" starts it again from where the tool stands.
  void showsThePositionCommandedSinceTheWindowOpened_data() {
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("movesGoOut");
    QTest::newRow("milling, by fields: whole steps")
        << QStringList{"--tag", "MT"} << QStringList{"1,0012;-2;0,5", "0,5;0;-0,25"}
        << QStringList{"1,5", "-2", "0,25"} << true;
    QTest::newRow("milling, jogs and fields")
        << QStringList{"--tag", "MT"} << QStringList{"Left", "Left", "Up", "Q", "A", "A", "0;1;0"}
        << QStringList{"1", "0,5", "-0,5"} << true;
    QTest::newRow("scanner: its moves carry no Z")
        << QStringList{"--tag", "ST"} << QStringList{"Right", "Q", "0;0;3"}
        << QStringList{"-0,5", "0", "0"} << true;
    QTest::newRow("no layout for the firmware") << QStringList{"--tag", "ZT"}
                                                << QStringList{"1;1;1", "Left"}
                                                << QStringList{"0", "0", "0"} << false;
    QTest::newRow("the line cut during the move")
        << QStringList{"--tag", "MT", "--hangup-after", "2"} << QStringList{"1;1;1"}
        << QStringList{"0", "0", "0"} << false;
  }
  void showsThePositionCommandedSinceTheWindowOpened() {
    QFETCH(QStringList, simArgs);
    QFETCH(QStringList, moves);
    QFETCH(QStringList, shown);
    QFETCH(bool, movesGoOut);
    SimLink sim(simArgs);
    sim.machine.SM_Y_ratio = -0.01;
    sim.machine.SM_Z_ratio = 0.0025;
    sim.settings.WriteSetting("hand_step", "0,5");
    OpenDialog open(sim);
    QCOMPARE(open.position(), (QStringList{"0", "0", "0"}));
    QCOMPARE(open.dialog.findChild<QLabel*>("positionX")->toolTip(),
             QString::fromUtf8(vexa::manual::kPositionTip));
    for (const QString& move : moves) open.make(move);
    QCOMPARE(open.position(), shown);

    open.button("zeroPosition")->click();
    QCOMPARE(open.position(), (QStringList{"0", "0", "0"}));
    open.make("0,25;0;0");
    QCOMPARE(open.position(), (QStringList{movesGoOut ? "0,25" : "0", "0", "0"}));
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
