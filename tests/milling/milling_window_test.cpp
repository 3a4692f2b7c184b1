// The milling window (Form1) against vexa-sim: opening, the firmware gate, the figure commands,
// the fields, Stop with the pause dialog, the manual move during a job, closing.

#include "milling/milling_window.h"

#include <QtTest>

#include <fstream>
#include <iterator>

#include "figures/figure_pictures.h"
#include "figures/figure_selection.h"
#include "figures/figure_tree_widget.h"
#include "figures/figure_window.h"
#include "figures/offset_figures.h"
#include "link/step_count.h"
#include "milling/edge_bands.h"
#include "support/window_bench.h"

using vexa::milling::MillingWindow;
using Bench = vexa::test::WindowBench<MillingWindow>;
using Commands = std::vector<std::string>;

namespace {

// 4 x 4 with a dark 2 x 2 square; 0,02 mm wide at 0,005 mm per step: one step per pixel.
vexa::picture::PixelBuffer square() {
  return vexa::figures::test::Drawn({"....", ".##.", ".##.", "...."});
}

const char* const kSettings = "cncrez_width=0,02\r\ncncrez_depth=1,275\r\n";

const Commands kSquare{"1,1,0,2000", "0,0,-255,4000", "1,0,0,0",     "0,1,0,0",
                       "-1,0,0,0",   "0,-1,0,0",      "0,0,255,2000"};

Commands after(const Commands& commands, std::size_t skip) {
  return {commands.begin() + static_cast<long>(std::min(skip, commands.size())), commands.end()};
}

}  // namespace

class MillingWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTheStoredSettingsAndThePicture() {
    Bench bench("MT");
    bench.prepare(square(), "Image", "cncrez_width=40\r\nSM_mill_delay=3000\r\n");
    MillingWindow& window = bench.open();
    QCOMPARE(window.objectName(), QString("Form1"));
    QCOMPARE(window.windowTitle(), QString("Zorazad IDO"));
    QCOMPARE(bench.label("Label5"), QString("Com-порт открыт"));
    QCOMPARE(bench.field("Text6")->text(), QString("40"));
    QCOMPARE(bench.field("Text7")->text(), QString("40"));  // a square picture
    QCOMPARE(bench.field("Text1")->text(), QString("10"));
    QCOMPARE(bench.field("Text3")->text(), QString("3"));
    QCOMPARE(bench.field("Text4")->text(), QString("3000"));
    QCOMPARE(bench.field("Text2")->text(),
             QString::fromStdString((bench.sim.folder / "picture.bmp").string()));
    auto* tabs = bench.find<QTabBar>("TabStrip1");
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
    QCOMPARE(captions, (QStringList{"Основная", "Градиент", "Выделение", "Фреза"}));
    for (int copy = 0; copy < 4; ++copy) QCOMPARE(window.picture().copy(copy), square());
    QVERIFY(bench.box("Check1")->isChecked() && bench.box("Check1")->isEnabled());
    QVERIFY(bench.button("Command7")->isEnabled());
    QCOMPARE(bench.button("Command7")->text(), QString("Ручная уст-ка"));
    QVERIFY(bench.field("tx") && bench.field("ty") && bench.field("tz"));
    QVERIFY(bench.sim.prompts.messages.empty());

    bench.field("Text6")->setText("12,5");
    bench.field("Text1")->setText("7");
    window.close();
    QCOMPARE(bench.setting("cncrez_width"), std::string("12,5"));
    QCOMPARE(bench.setting("cncrez_depth"), std::string("7"));
    QCOMPARE(bench.setting("mill_diameter"), std::string("3"));
    QCOMPARE(bench.setting("SM_mill_delay"), std::string("3000"));
  }

  void anotherFirmwareLeavesOnlyTheSimulation() {
    Bench bench("OT");
    bench.prepare(square(), "Image", kSettings);
    bench.open();
    QCOMPARE(bench.label("Label5"), QString("Некорректная прошивка"));
    QCOMPARE(bench.sim.prompts.firmwareNotices.size(), size_t(1));
    for (const char* name : {"Check1", "Check2"}) QVERIFY(!bench.box(name)->isEnabled());
    QVERIFY(!bench.box("Check1")->isChecked());
    QVERIFY(!bench.button("Command7")->isEnabled());
    bench.click("Command3");
    bench.click("Command2");
    QCOMPARE(bench.commands(), Commands{"V"});
    QVERIFY(bench.sim.prompts.messages.empty());
  }

  void figureCommandsNeedATreeAndASelection() {
    Bench bench("MT");
    bench.prepare(square(), "Image", kSettings);
    bench.open();
    bench.click("Command1");
    bench.click("Command2");
    bench.click("Command3");  // "Разобрать"
    bench.click("Command1");
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(3));
    const std::string noTree = vexa::figures::kNoTreeText;
    QCOMPARE(bench.sim.prompts.messages[0].text, noTree);
    QCOMPARE(bench.sim.prompts.messages[1].text, noTree);
    QCOMPARE(bench.sim.prompts.messages[2].text, std::string(vexa::figures::kNoSelectionText));
    QCOMPARE(bench.sim.prompts.messages[2].caption, std::string("Ошибка"));
    QCOMPARE(bench.commands(), Commands{"V"});
  }

  void selectedFigureIsMilledAndHighlighted() {
    Bench bench("MT");
    bench.prepare(square(), "Image", kSettings);
    MillingWindow& window = bench.open();
    bench.click("Command3");
    auto* tree = bench.find<vexa::figures::FigureTreeWidget>("tv");
    QCOMPARE(tree->nodeCount(), 2);
    QVERIFY(tree->selectKey("P2"));
    const vexa::picture::PixelBuffer& selection = window.picture().copy(2);
    QCOMPARE(selection.pixel(2, 2)[1], std::uint8_t(255));
    QCOMPARE(selection.pixel(2, 2)[0], std::uint8_t(0));
    bench.click("Command1");
    QCOMPARE(after(bench.commands(), 1), kSquare);
    QCOMPARE(window.state().toolX, 2);
    QCOMPARE(window.picture().copy(3).pixel(2, 2)[2], std::uint8_t(255));  // the tool mark
  }

  void theGcodeBoxWritesTheJobsPathAlsoWithoutTheMachine() {
    Bench bench("MT");
    bench.prepare(square(), "Image", kSettings);
    bench.open();
    QCOMPARE(bench.box("Check3")->text(), QString("G-код"));
    QCOMPARE(bench.box("Check3")->toolTip(), QString("G-код записывается в файл program.gcode"));
    bench.box("Check3")->setChecked(true);
    bench.box("Check1")->setChecked(false);
    bench.click("Command3");
    bench.click("Command2");
    QCOMPARE(bench.commands(), Commands{"V"});
    std::ifstream file(bench.sim.folder / "program.gcode", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    QCOMPARE(QString::fromStdString(text),
             QString("G21\r\nG90\r\n(Vexa: фрезеровка всех фигур, картинка picture.bmp, ширина "
                     "0,02 мм, глубина 1,275 мм, фреза 3 мм, задержка 4000 мкс)\r\nG0 Z2\r\n"
                     "G0 X0.005 Y0.005\r\nG1 Z-1.275 F75\r\nG1 X0.01\r\nG1 Y0.01\r\n"
                     "G1 X0.005\r\nG1 Y0.005\r\nG0 Z2\r\nM2\r\n"));
  }

  void badNumbersAreNamedBeforeAnythingMoves_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("width 0") << "Text6"
                             << "0"
                             << "Введите в поле ширины число больше 0!";
    QTest::newRow("width text") << "Text6"
                                << ""
                                << "Введите в поле ширины число больше 0!";
    QTest::newRow("depth") << "Text1"
                           << "-"
                           << "Введите в поле глубины число не меньше 0!";
    QTest::newRow("delay") << "Text4"
                           << ","
                           << "Введите в поле задержки число от 0 до 2147483647!";
  }
  void badNumbersAreNamedBeforeAnythingMoves() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Bench bench("MT");
    bench.prepare(square(), "Image", kSettings);
    bench.open();
    bench.click("Command3");
    bench.field(field.toUtf8().constData())->setText(text);
    bench.click("Command2");
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(bench.sim.prompts.messages[0].text), message);
    QCOMPARE(bench.commands(), Commands{"V"});
  }

  // A job refused as beyond the motor's step range (now before its first command, by the
  // width's own check) moves nothing and leaves the position as it was, so the next job with a
  // sane width runs.
  void aRefusedJobLeavesNothingBehind() {
    Bench bench("MT");
    bench.prepare(square(), "Image", "cncrez_width=100000000\r\ncncrez_depth=1,275\r\n");
    bench.open();
    bench.click("Command3");
    bench.click("Command2");
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));
    QCOMPARE(bench.sim.prompts.messages[0].text, std::string(vexa::link::kWidthRangeText));
    QCOMPARE(bench.commands(), Commands{"V"});

    bench.type("Text6", "0,02");
    bench.click("Command3");
    bench.click("Command2");
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));
    QCOMPARE(after(bench.commands(), 2), kSquare);
  }

  void widthAndHeightKeepThePicturesProportions() {
    Bench bench("MT");
    bench.prepare(vexa::figures::test::Drawn({"........", "..##....", "........"}), "Image",
                  kSettings);
    MillingWindow& window = bench.open();
    QCOMPARE(bench.field("Text7")->text(), QString("0"));  // nearest(0,02 x 3) div 8
    bench.type("Text6", "100");
    QCOMPARE(bench.field("Text7")->text(), QString("37"));  // 300 div 8
    bench.type("Text7", "12");
    QCOMPARE(bench.field("Text6")->text(), QString("32"));  // 96 div 3
    window.close();
  }

  void stopOpensThePauseDialogAndStoppingThereLeavesAUsableWindow() {
    Bench bench("MT");
    bench.prepare(square(), "Image", kSettings);
    MillingWindow& window = bench.open();
    bench.click("Command3");
    bench.sim.prompts.pauseAnswers = {0};
    bool locked = false;
    bench.click("Command2", [&] {
      locked = !bench.button("Command3")->isEnabled() && !bench.field("Text6")->isEnabled() &&
               !bench.button("Command8")->isEnabled() && bench.button("Command9")->isEnabled();
      bench.button("Command2")->click();  // refused: a job runs
      bench.button("Command9")->click();
    });
    QVERIFY(locked);
    QCOMPARE(bench.sim.prompts.pauseDialogs, 1);
    QVERIFY(bench.sim.prompts.messages.empty());  // the stop ends the job quietly
    QCOMPARE(window.state().jobKind, 0);
    QVERIFY(!window.jobRunning());
    QVERIFY(bench.button("Command3")->isEnabled());
    const std::size_t stoppedAfter = bench.commands().size();
    QVERIFY(stoppedAfter < 1 + kSquare.size());

    // The square's figure was not finished: "Все" takes it again from where the cutter stands.
    bench.click("Command2");
    const Commands again = after(bench.commands(), stoppedAfter + 1);
    QCOMPARE(again.size(), kSquare.size());
    QCOMPARE(again[1], kSquare[1]);
  }

  void aManualMoveDuringAJobIsAddedToItsNextStep() {
    Bench bench("MT");
    bench.prepare(square(), "Image", kSettings);
    bench.open();
    bench.click("Command3");
    bench.field("tx")->setText("0,01");  // two steps
    bench.field("tz")->setText("-0,005");
    bench.click("Command2", [&] { bench.button("Command7")->click(); });
    const Commands commands = after(bench.commands(), 1);
    QCOMPARE(commands.size(), kSquare.size());
    // The click lands during the first wait: the plunge carries the offsets.
    QCOMPARE(commands[1], std::string("2,0,-256,4000"));

    bench.click("Command7");  // idle: moved at once
    QCOMPARE(bench.commands().back(), std::string("2,0,-1,2000"));
  }

  void closingDuringAJobWaitsForItAndContinuingKeepsTheWindow() {
    Bench bench("MT");
    bench.prepare(square(), "Image", kSettings);
    MillingWindow& window = bench.open();
    bench.click("Command3");
    bench.sim.prompts.pauseAnswers = {1};
    bench.click("Command2", [&] { window.close(); });
    QVERIFY(window.isVisible());
    QCOMPARE(after(bench.commands(), 1), kSquare);

    bench.sim.prompts.pauseAnswers = {0};
    bench.click("Command3");
    bench.click("Command2", [&] { window.close(); });
    QVERIFY(!window.isVisible());
    QCOMPARE(bench.setting("cncrez_width"), std::string("0,02"));
  }

  void anotherPictureStartsWithoutTheOldTree() {
    Bench bench("MT");
    bench.prepare(square(), "Image", kSettings);
    bench.open();
    bench.click("Command3");
    vexa::picture::WriteBmpFile(vexa::figures::test::Drawn({"#..", "...", "..."}),
                                bench.sim.folder / "other.bmp");
    bench.sim.prompts.chosenFiles.push_back((bench.sim.folder / "other.bmp").string());
    bench.click("Command8");
    QCOMPARE(bench.find<vexa::figures::FigureTreeWidget>("tv")->nodeCount(), 0);
    QCOMPARE(bench.setting("Image"), (bench.sim.folder / "other.bmp").string());
    bench.click("Command2");
    QCOMPARE(bench.sim.prompts.messages.back().text, std::string(vexa::figures::kNoTreeText));
  }

  void gradientAndOffsetRebuildTheWorkingPictureAndResetTheFigures() {
    Bench bench("MT");
    // 20 x 20 with a 10 x 10 black square; 0,1 mm wide, cutter 0,02 mm: radius 2, diameter 4.
    vexa::picture::PixelBuffer picture(20, 20);
    for (int y = 6; y <= 15; ++y) {
      for (int x = 6; x <= 15; ++x) picture.setGray(x, y, 0);
    }
    bench.prepare(picture, "Image", "cncrez_width=0,1\r\nmill_diameter=0,02\r\n");
    MillingWindow& window = bench.open();
    bench.click("Command3");
    bench.click("Command4");  // "Градиент"
    const vexa::picture::PixelBuffer banded = vexa::milling::EdgeBands(picture, 2);
    QCOMPARE(window.picture().copy(1), banded);
    QCOMPARE(window.picture().copy(0), picture);
    QCOMPARE(bench.find<vexa::figures::FigureTreeWidget>("tv")->nodeCount(), 2);
    bench.click("Command2");  // the tables were reset: nothing to mill
    QCOMPARE(bench.commands(), Commands{"V"});

    bench.click("Command5");  // "Отступить"
    vexa::picture::PixelBuffer offset = banded;
    vexa::figures::OffsetFigures(offset, 4);
    QCOMPARE(window.picture().copy(1), offset);

    bench.field("Text6")->setText("0");
    bench.click("Command4");
    QCOMPARE(bench.sim.prompts.messages.back().text,
             std::string("Введите в поле ширины число больше 0!"));
    QCOMPARE(window.picture().copy(1), offset);
  }

  void reliefClearsTheDarkAreasAndEndsOnItsOwn() {
    Bench bench("MT");
    vexa::picture::PixelBuffer picture(24, 24);
    for (int y = 5; y <= 18; ++y) {
      for (int x = 5; x <= 18; ++x) picture.setGray(x, y, 0);
    }
    // One step per pixel, cutter 4 pixels across.
    bench.prepare(picture, "Image",
                  "cncrez_width=0,12\r\ncncrez_depth=1,275\r\nmill_diameter=0,02\r\n");
    MillingWindow& window = bench.open();
    bench.box("Check2")->setChecked(true);
    bench.click("Command6");
    QVERIFY(!window.jobRunning());
    QVERIFY(bench.sim.prompts.messages.empty());
    QCOMPARE(window.state().reliefMode, false);
    QCOMPARE(window.state().jobKind, 0);
    QCOMPARE(window.state().toolX, 1);
    const Commands commands = after(bench.commands(), 1);
    QVERIFY(commands.size() > 10);
    QCOMPARE(bench.find<vexa::figures::FigureTreeWidget>("tv")->nodeCount(), 0);
  }
};

QTEST_MAIN(MillingWindowTest)
#include "milling_window_test.moc"
