// The move-by-millimetre group that the machine windows carry.

#include "manual/move_by_mm_widget.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "link/link_abort.h"
#include "support/recording_prompts.h"

using vexa::manual::AxisDistances;
using vexa::manual::MoveByMmWidget;

class MoveByMmWidgetTest : public QObject {
  Q_OBJECT

 private slots:
  void checksTheFieldsThenMoves() {
    vexa::test::RecordingPrompts prompts;
    std::vector<AxisDistances> moves;
    MoveByMmWidget group(prompts, [&](const AxisDistances& d) { moves.push_back(d); });
    QCOMPARE(group.moveButton()->text(), QString("Ручная уст-ка"));
    QCOMPARE(group.field(0)->toolTip(), QString("Перемещение по оси X, мм"));
    QCOMPARE(group.field(2)->text(), QString("0"));

    group.field(2)->setText("z");
    group.field(0)->setText("x");
    group.moveButton()->click();
    QCOMPARE(prompts.messages.size(), size_t(1));
    QCOMPARE(prompts.messages[0].text,
             std::string("Введите число в поле для перемещения по 1-ой оси!"));
    group.field(0)->setText("1,5");
    group.moveButton()->click();
    QCOMPARE(prompts.messages.back().text,
             std::string("Введите число в поле для перемещения по 3-ей оси!"));
    QVERIFY(moves.empty());

    group.field(1)->clear();
    QTest::keyClicks(group.field(1), "-0.25");
    group.field(2)->setText("2");
    group.moveButton()->click();
    QCOMPARE(moves.size(), size_t(1));
    QCOMPARE(moves[0].x, 1.5);
    QCOMPARE(moves[0].y, -0.25);
    QCOMPARE(moves[0].z, 2.0);
  }

  void aLinkAbortEndsOnlyThatMove() {
    vexa::test::RecordingPrompts prompts;
    int calls = 0;
    MoveByMmWidget group(prompts, [&](const AxisDistances&) {
      ++calls;
      throw vexa::link::LinkAbort();
    });
    group.moveButton()->click();
    group.moveButton()->click();
    QCOMPARE(calls, 2);
  }
};

QTEST_MAIN(MoveByMmWidgetTest)
#include "move_by_mm_widget_test.moc"
