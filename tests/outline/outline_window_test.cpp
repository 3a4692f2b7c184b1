// The outline engraving window (Form5) against vexa-sim: its own fields, tooltips and tabs on
// the figure-window parts, the firmware gate, the stop question, the fill and closing.

#include "outline/outline_window.h"

#include <QtTest>

#include "figures/figure_pictures.h"
#include "figures/figure_tree_widget.h"
#include "support/window_bench.h"

using vexa::outline::OutlineWindow;
using Bench = vexa::test::WindowBench<OutlineWindow>;
using Commands = std::vector<std::string>;

namespace {

vexa::picture::PixelBuffer square() {
  return vexa::figures::test::Drawn({"....", ".##.", ".##.", "...."});
}

// 0,02 mm over 4 pixels: one step per pixel.
const char* const kSettings = "Etching2_width=0,02\r\n";

}  // namespace

class OutlineWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithItsOwnFieldsTabsAndTooltips() {
    Bench bench("OT");
    bench.prepare(square(), "Etching2_image", "");
    OutlineWindow& window = bench.open();
    QCOMPARE(window.objectName(), QString("Form5"));
    QCOMPARE(window.windowTitle(), QString("Обведение силуэтов и орнаментов"));
    QCOMPARE(bench.label("Label5"), QString("Com-порт открыт"));
    QCOMPARE(bench.field("Text6")->text(), QString("200"));
    QCOMPARE(bench.field("Text3")->text(), QString("2"));
    QCOMPARE(bench.field("Text4")->text(), QString("1000"));
    QCOMPARE(bench.field("Text1")->text(),
             QString::fromStdString((bench.sim.folder / "picture.bmp").string()));
    QCOMPARE(bench.button("Command1")->toolTip(), QString("Гравирует выделенную фигуру"));
    QCOMPARE(bench.button("Command2")->toolTip(), QString("Гравирует границы всех фигур"));
    QCOMPARE(bench.button("Command6")->text(), QString("Грав-ть всё"));
    QCOMPARE(bench.button("Command6")->toolTip(), QString("Гравирует все фигуры с заполнением"));
    QCOMPARE(bench.box("Check1")->text(), QString("Гравировать"));
    auto* tabs = bench.find<QTabBar>("TabStrip1");
    QCOMPARE(tabs->tabText(3), QString("Лазер"));
    QStringList panels;
    for (QGroupBox* panel : window.findChildren<QGroupBox*>()) panels << panel->title();
    QVERIFY(panels.contains("Лазер"));
    QVERIFY(panels.contains("Размер готового изобр-ния"));

    bench.type("Text3", "0.5");
    QCOMPARE(bench.field("Text3")->text(), QString("0,5"));
    window.close();
    QCOMPARE(bench.setting("Etching2_diameter"), std::string("0,5"));
    QCOMPARE(bench.setting("Etching2_width"), std::string("200"));
    QCOMPARE(bench.setting("Etching2_delay"), std::string("1000"));
  }

  void anotherFirmwareSwitchesTheMachineControlsOff() {
    Bench bench("MT");
    bench.prepare(square(), "Etching2_image", kSettings);
    bench.open();
    QCOMPARE(bench.label("Label5"), QString("Некорректная прошивка"));
    for (const char* name : {"Check1", "Check2"}) QVERIFY(!bench.box(name)->isEnabled());
    QVERIFY(!bench.button("Command7")->isEnabled());
    bench.click("Command3");
    bench.click("Command2");
    QCOMPARE(bench.commands(), Commands{"V"});
  }

  void allOutlinesAndReturnsThenStopAsksWithTheLaserOff() {
    Bench bench("OT");
    bench.prepare(square(), "Etching2_image", kSettings);
    OutlineWindow& window = bench.open();
    bench.click("Command3");
    bench.box("Check2")->setChecked(true);
    bench.click("Command2");
    const Commands outline{"1,1,0,2000", "0,0,1,1000", "1",           "0,1",
                           "-1",         "0,-1",       "0,0,-1,2000", "-1,-1"};
    Commands commands = bench.commands();
    QCOMPARE(Commands(commands.begin() + 1, commands.end()), outline);

    bench.click("Command3");
    bench.sim.prompts.answers = {true};
    bench.click("Command2", [&] { bench.button("Command9")->click(); });
    QCOMPARE(bench.sim.prompts.questions.size(), size_t(1));
    commands = bench.commands();
    QCOMPARE(commands.back(), std::string("0,0,-1"));
    QVERIFY(!window.jobRunning());
    QVERIFY(bench.sim.prompts.messages.empty());
  }

  // "Стоп" while the job waits for the reply to the contour's last step, whose laser-off move
  // the job has then asked for but not sent: "Да" still leaves the laser off.
  void stopDuringTheLastStepEndsWithTheLaserOff() {
    Bench bench("OT", {"--delay", "300"});
    std::vector<std::string> rows(12, "............");
    rows[4] = rows[5] = "....##......";
    bench.prepare(vexa::figures::test::Drawn(rows), "Etching2_image", "Etching2_width=0,06\r\n");
    OutlineWindow& window = bench.open();
    bench.click("Command3");
    bench.sim.prompts.answers = {true};
    // "V", the travel, the laser on and the square's four steps: the last step is the seventh.
    vexa::test::OnceReceived(bench.sim.sim, 7, &window,
                             [&] { bench.button("Command9")->click(); });
    bench.click("Command2");
    QCOMPARE(bench.sim.prompts.questions.size(), size_t(1));
    const Commands commands = bench.commands();
    QCOMPARE(Commands(commands.begin() + 1, commands.end()),
             (Commands{"4,4,0,2000", "0,0,1,1000", "1", "0,1", "-1", "0,-1", "0,0,-1"}));
    QVERIFY(bench.sim.prompts.messages.empty());
  }

  void fillClearsTheDarkAreasAndClosingMidJobWaitsForTheAnswer() {
    Bench bench("OT");
    vexa::picture::PixelBuffer picture(24, 24);
    for (int y = 6; y <= 18; ++y) {
      for (int x = 6; x <= 18; ++x) picture.setGray(x, y, 0);
    }
    bench.prepare(picture, "Etching2_image", "Etching2_width=0,12\r\nEtching2_diameter=0,01\r\n");
    OutlineWindow& window = bench.open();
    bench.click("Command6");
    QVERIFY(bench.sim.prompts.messages.empty());
    QCOMPARE(bench.find<vexa::figures::FigureTreeWidget>("tv")->nodeCount(), 0);
    QCOMPARE(window.state().fillMode, false);

    bench.sim.prompts.answers = {false};
    bench.click("Command6", [&] { window.close(); });
    QVERIFY2(window.isVisible(), "\"Нет\" keeps the window");
    bench.sim.prompts.answers = {true};
    bench.click("Command6", [&] { window.close(); });
    QVERIFY(!window.isVisible());
    QCOMPARE(bench.setting("Etching2_diameter"), std::string("0,01"));
  }
};

QTEST_MAIN(OutlineWindowTest)
#include "outline_window_test.moc"
