// The wood-burning window (Form8) against vexa-sim.

#include "wood/wood_window.h"

#include <QtTest>

#include "support/window_bench.h"

using vexa::picture::PixelBuffer;
using vexa::picture::test::GrayPicture;
using vexa::wood::WoodWindow;
using Bench = vexa::test::WindowBench<WoodWindow>;
using Commands = std::vector<std::string>;

namespace {

// 0,6 mm over 3 pixels at 0,005 mm per step: 40 steps per pixel.
PixelBuffer threeRows() {
  return GrayPicture({{255, 0, 255}, {255, 255, 255}, {0, 255, 255}});
}

void prepare(Bench& bench, const std::string& more = "") {
  bench.prepare(threeRows(), "Etching1_image",
                "Etching1_width=0,6\r\nEtching1_diameter=0,2\r\nEtching_width=9\r\n" + more);
}

}  // namespace

class WoodWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithItsOwnKeysAndWithoutTheLaserOnlyControls() {
    Bench bench("BT");
    prepare(bench, "Etching1_delay=3000\r\n");
    WoodWindow& window = bench.open();
    QCOMPARE(window.objectName(), QString("Form8"));
    QCOMPARE(window.windowTitle(), QString("Гравировка нитью по дереву"));
    QCOMPARE(bench.label("Label4"), QString("Com-порт открыт"));
    QCOMPARE(bench.field("Text4")->text(), QString("3000"));
    QCOMPARE(bench.field("Text4")->toolTip(),
             QString("Максимальная здержка между шагами при выжигании в микросекундах"));
    QCOMPARE(bench.field("Text5")->toolTip(),
             QString("Должен быть кратен перемещению на 1 шаг ШД"));
    QCOMPARE(bench.field("Text6")->text(), QString("0,6"));
    QCOMPARE(bench.field("Text7")->text(), QString("0,6"));
    for (const char* absent : {"Text3", "Check4", "Check5", "Check6", "Check7"}) {
      QVERIFY2(window.findChild<QWidget*>(absent) == nullptr, absent);
    }
    QCOMPARE(bench.picture(), threeRows());
    bench.field("Text4")->setText("3500");
    window.close();
    QCOMPARE(bench.setting("Etching1_delay"), std::string("3500"));
    QCOMPARE(bench.setting("Etching1_width"), std::string("0,6"));
    QCOMPARE(bench.setting("Etching1_diameter"), std::string("0,2"));
    QCOMPARE(bench.setting("Etching_width"), std::string("9"));
    QCOMPARE(bench.setting("Etching_delay"), std::string("-"));
  }

  void burnsEveryRowWithTheTravelDelayAndReloadsTheCleanPicture() {
    Bench bench("BT");
    prepare(bench);
    bench.open();
    bench.box("Check2")->setChecked(true);
    bench.engrave();
    QCOMPARE(bench.commands(),
             (Commands{"V", ",,2000", "80,0,2000", "40,0,4000", "0,40,2000", "0,40,2000",
                       "-80,0,2000", "40,0,4000", "0,40,2000", "-40,-120,2000"}));
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));
    QCOMPARE(bench.sim.prompts.messages[0].caption, std::string("Лазерная гравировка"));
    QCOMPARE(bench.sim.prompts.messages[0].text, std::string("Гравировка закончена!"));
    QCOMPARE(bench.picture(), threeRows());
  }

  void stoppedRunKeepsTheMarks() {
    Bench bench("BT");
    prepare(bench);
    bench.open();
    bench.box("Check3")->setChecked(true);  // a redraw, with its event processing, per pixel
    bench.sim.prompts.answers = {true};
    // "Стоп" once the first pixel shows its mark; the next move asks and is told to stop.
    std::function<void()> stopAfterTheFirstBurn = [&] {
      if (!bench.window->jobRunning()) return;
      if (bench.picture().pixel(2, 1)[2] == 255) {
        bench.button("Command9")->click();
      } else {
        QTimer::singleShot(0, bench.window.get(), stopAfterTheFirstBurn);
      }
    };
    bench.engrave(stopAfterTheFirstBurn);
    QCOMPARE(bench.commands(), (Commands{"V", ",,2000", "80,0,2000", "40,0,4000"}));
    QCOMPARE(bench.sim.prompts.questions.size(), size_t(1));
    QVERIFY(bench.sim.prompts.messages.empty());
    QCOMPARE(int(bench.picture().pixel(2, 1)[2]), 255);  // marked red, kept
    QCOMPARE(int(bench.picture().pixel(2, 1)[0]), 0);
    QCOMPARE(int(bench.picture().pixel(1, 3)[2]), 0);
  }

  void wrongFirmwareSendsNothing() {
    Bench bench("PT");
    prepare(bench);
    bench.open();
    QCOMPARE(bench.label("Label4"), QString("Некорректная прошивка"));
    QVERIFY(!bench.box("Check1")->isEnabled());
    bench.engrave();
    QCOMPARE(bench.commands(), Commands{"V"});
    QCOMPARE(bench.sim.prompts.messages.back().text, std::string("Гравировка закончена!"));
  }
};

QTEST_MAIN(WoodWindowTest)
#include "wood_window_test.moc"
