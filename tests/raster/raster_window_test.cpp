// The laser window (Form3) in laser and impact-head mode, against vexa-sim.

#include "raster/raster_window.h"

#include <QtTest>

#include "picture/invert_picture.h"
#include "picture/picture_files.h"
#include "picture/pseudo_tone.h"
#include "support/window_bench.h"

using vexa::picture::PixelBuffer;
using vexa::picture::test::GrayPicture;
using vexa::raster::RasterWindow;
using Bench = vexa::test::WindowBench<RasterWindow>;
using Commands = std::vector<std::string>;

namespace {

// 0,8 mm over 4 pixels at 0,005 mm per step: 40 steps per pixel, Text7 0,4.
const char* const kSettings = "Etching_width=0,8\r\nEtching_diameter=0,2\r\n";

PixelBuffer twoRows() {
  return GrayPicture({{0, 0, 255, 255}, {255, 255, 255, 0}});
}

const Commands kTwoRowsCommands{"V",         ",,,40,2000", "40,0,0", "40,0,4000",
                                "40,0,4000", "0,40,0",     "80,0,0", "-40,0,4000"};

void prepareTwoRows(Bench& bench, const std::string& more = "") {
  bench.prepare(twoRows(), "Etching_image", kSettings + more);
}

}  // namespace

class RasterWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTheStoredSettingsAndTheFittedPicture() {
    Bench bench("PT");
    prepareTwoRows(bench, "Etching_delay=3500\r\nEtching_min=20\r\nEtching_pseudo=0\r\n");
    RasterWindow& window = bench.open("");
    QCOMPARE(window.objectName(), QString("Form3"));
    QCOMPARE(window.windowTitle(), QString("Гравирование лазером"));
    QCOMPARE(bench.label("Label4"), QString("Com-порт открыт"));
    QCOMPARE(bench.label("Label8"), QString("Статус:"));
    QCOMPARE(bench.label("Label3"), QString("Задержка между шагами при грав-ке, микросек"));
    QCOMPARE(bench.field("Text4")->text(), QString("3500"));
    QCOMPARE(bench.field("Text3")->text(), QString("20"));
    QCOMPARE(bench.field("Text5")->text(), QString("0,2"));
    QCOMPARE(bench.field("Text6")->text(), QString("0,8"));
    QCOMPARE(bench.field("Text7")->text(), QString("0,4"));
    QCOMPARE(bench.field("Text1")->text(),
             QString::fromStdString((bench.sim.folder / "picture.bmp").string()));
    QVERIFY(bench.box("Check1")->isEnabled());
    QVERIFY(bench.box("Check1")->isChecked());
    QVERIFY(!bench.box("Check4")->isChecked());
    QCOMPARE(bench.picture(), twoRows());
    QVERIFY(bench.sim.prompts.messages.empty());
  }

  void engravesThePictureAndExportsTheSamePath() {
    Bench bench("PT");
    prepareTwoRows(bench);
    bench.open("");
    bench.box("Check4")->setChecked(true);
    bench.engrave();
    QCOMPARE(bench.commands(), kTwoRowsCommands);
    QCOMPARE(bench.sim.folder.read("program.gcode"),
             std::string("G0 X0\r\nS4000 M3\r\nG0 X0.2\r\nM5\r\nS4000 M3\r\nG0 X0.4\r\nM5\r\n"
                         "G0 Y0.2\r\nG0 X0.8\r\nS4000 M3\r\nG0 X0.6\r\nM5\r\n"));
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));
    QCOMPARE(bench.sim.prompts.messages[0].caption, std::string("Лазерная гравировка"));
    QVERIFY(bench.sim.prompts.messages[0].text.starts_with(
        "Гравировка закончена!\r\nПродолжительность: 00:00:0"));
    QCOMPARE(bench.picture(), twoRows());
  }

  void impactHeadModeKeepsItsOwnCaptionsAndSettings() {
    Bench bench("PT");
    prepareTwoRows(bench, "Etching_delay=3500\r\nsh_Etching_width=0,8\r\n");
    RasterWindow& window = bench.open("shock_head");
    QCOMPARE(window.windowTitle(), QString("Гравировка ударной головкой"));
    QCOMPARE(bench.label("Label3"), QString("Длительность импульса при ударе макс/мин, микросек:"));
    QStringList titles;
    for (QGroupBox* panel : window.findChildren<QGroupBox*>()) titles << panel->title();
    QVERIFY(titles.contains("Настройка ударной головки"));
    QVERIFY(!titles.contains("Настройка лазера"));
    QCOMPARE(bench.field("Text4")->text(), QString("4000"));  // not the laser's 3500
    QCOMPARE(bench.field("Text1")->text(),
             QString::fromStdString((bench.sim.folder / "gepard2.jpg").string()));
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));  // no gepard2.jpg in the folder

    bench.sim.prompts.chosenFiles.push_back((bench.sim.folder / "picture.bmp").string());
    bench.button("Command2")->click();
    QCOMPARE(bench.setting("sh_Etching_image"), (bench.sim.folder / "picture.bmp").string());
    bench.field("Text4")->setText("2500");
    window.close();
    QCOMPARE(bench.setting("sh_Etching_delay"), std::string("2500"));
    QCOMPARE(bench.setting("sh_Etching_width"), std::string("0,8"));
    QCOMPARE(bench.setting("sh_Etching_pseudo"), std::string("0"));
    QCOMPARE(bench.setting("Etching_delay"), std::string("3500"));
    QCOMPARE(bench.setting("Etching_min"), std::string("-"));
    QCOMPARE(bench.setting("Etching_image"), (bench.sim.folder / "picture.bmp").string());

    RasterWindow& laser = bench.open("");
    QCOMPARE(laser.windowTitle(), QString("Гравирование лазером"));
    QCOMPARE(bench.field("Text4")->text(), QString("3500"));
  }

  void wrongFirmwareLeavesTheMachineAloneButStillExports() {
    Bench bench("BT");
    prepareTwoRows(bench);
    bench.open("");
    QCOMPARE(bench.label("Label4"), QString("Некорректная прошивка"));
    QCOMPARE(bench.sim.prompts.firmwareNotices.size(), size_t(1));
    QVERIFY(!bench.box("Check1")->isEnabled());
    QVERIFY(!bench.box("Check1")->isChecked());
    bench.box("Check4")->setChecked(true);
    bench.engrave();
    QCOMPARE(bench.commands(), Commands{"V"});
    QVERIFY(bench.sim.folder.read("program.gcode").starts_with("G0 X0\r\nS4000 M3\r\n"));
  }

  void gcodeOnlyConversionWithAFineSpotNeedsNoPortAndNoWholeSteps() {
    // 1 mm over 500 pixels is 0,4 motor steps per pixel: no engraving, but a G-code file.
    Bench bench("PT", false);
    bench.prepare(GrayPicture({{0, 255, 255, 255}, {255, 255, 255, 255}}), "Etching_image",
                  "Etching_width=1\r\nEtching_diameter=0,002\r\n");
    bench.open("");
    QCOMPARE(bench.label("Label4"), QString("Ошибка открытия Com-порта"));
    QVERIFY(!bench.box("Check1")->isChecked());
    QCOMPARE(bench.picture().width(), 500);
    bench.box("Check4")->setChecked(true);
    bench.engrave();
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));
    QVERIFY2(bench.sim.prompts.messages[0].text.starts_with("Гравировка закончена!"),
             bench.sim.prompts.messages[0].text.c_str());
    const std::string gcode = bench.sim.folder.read("program.gcode");
    QVERIFY(gcode.starts_with("G0 X0\r\nS4000 M3\r\nG0 X0\r\nM5\r\n"));  // 0,002 mm a pixel
    QVERIFY(gcode.find("\r\nG0 Y0.5\r\n") != std::string::npos);         // the last row
    QVERIFY(bench.sim.sim.receivedCommands().empty());
  }

  void aDamagedPictureGivesOneMessageAndLeavesTheWindowUsable() {
    Bench bench("PT");
    prepareTwoRows(bench);
    bench.open("");
    // A run-length BMP whose stream stops after its first row, end code kept.
    bench.sim.folder.write("damaged.bmp", vexa::picture::test::AsText(vexa::picture::test::RleBmp(
                                              4, 2, {2, 0, 2, 255, 0, 1})));
    const std::string workBefore = bench.sim.folder.read("work.bmp");
    bench.sim.prompts.chosenFiles.push_back((bench.sim.folder / "damaged.bmp").string());
    bench.button("Command2")->click();
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));
    QCOMPARE(bench.sim.prompts.messages[0].caption, std::string("Ошибка"));
    QCOMPARE(bench.sim.prompts.messages[0].text, std::string("Ошибка открытия файла!"));
    QCOMPARE(bench.sim.folder.read("work.bmp"), workBefore);
    QVERIFY(!bench.button("Command1")->isEnabled());

    bench.sim.prompts.chosenFiles.push_back((bench.sim.folder / "picture.bmp").string());
    bench.button("Command2")->click();
    QVERIFY(bench.button("Command1")->isEnabled());
    bench.engrave();
    QCOMPARE(bench.commands(), kTwoRowsCommands);
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(2));
  }

  void fieldsWithoutNumbersAreNamedAndNothingIsSent_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("dwell") << "Text4"
                           << "abc"
                           << "Введите в поле задержки для чёрного число от 0 до 2147483647!";
    QTest::newRow("threshold") << "Text3"
                               << "-5"
                               << "Введите в поле нижнего порога лазера число от 0 до 2147483647!";
    QTest::newRow("height") << "Text7"
                            << ""
                            << "Введите в поле высоты число больше 0!";
  }
  void fieldsWithoutNumbersAreNamedAndNothingIsSent() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Bench bench("PT");
    prepareTwoRows(bench);
    bench.open("");
    bench.box("Check4")->setChecked(true);
    bench.field(field.toUtf8().constData())->setText(text);
    bench.engrave();
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));
    QCOMPARE(bench.sim.prompts.messages[0].caption, std::string("Ошибка"));
    QCOMPARE(QString::fromStdString(bench.sim.prompts.messages[0].text), message);
    QCOMPARE(bench.commands(), Commands{"V"});
    QVERIFY(!std::filesystem::exists(bench.sim.folder / "program.gcode"));
  }

  void stopAnsweredNoResumesAndASecondPressIsRefused() {
    Bench bench("PT");
    prepareTwoRows(bench);
    bench.open("");
    bench.sim.prompts.answers = {false};
    bool lockedDuringTheRun = false;
    bench.engrave([&] {
      lockedDuringTheRun = !bench.button("Command2")->isEnabled() &&
                           !bench.field("Text5")->isEnabled() &&
                           !bench.box("Check5")->isEnabled() && bench.box("Check1")->isEnabled();
      bench.button("Command1")->click();
      bench.button("Command9")->click();
    });
    QVERIFY(lockedDuringTheRun);
    QVERIFY(bench.button("Command2")->isEnabled());
    QVERIFY(bench.field("Text5")->isEnabled());
    QCOMPARE(bench.commands(), kTwoRowsCommands);
    QCOMPARE(bench.sim.prompts.questions.size(), size_t(1));
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));
  }

  void closingDuringTheRunStopsItAndClosesAfterwards() {
    Bench bench("PT");
    prepareTwoRows(bench);
    RasterWindow& window = bench.open("");
    bench.field("Text4")->setText("3000");
    bench.sim.prompts.answers = {true};
    bool keptOpen = false;
    bench.engrave([&] {
      window.close();
      keptOpen = window.isVisible() && window.jobRunning();
    });
    QVERIFY(keptOpen);
    QVERIFY(!window.isVisible());
    QCOMPARE(bench.commands(), (Commands{"V", ",,,40,2000", "40,0,0"}));
    QCOMPARE(bench.sim.prompts.questions.size(), size_t(1));
    QVERIFY(bench.sim.prompts.messages.empty());
    QCOMPARE(bench.setting("Etching_delay"), std::string("3000"));  // closed properly
  }

  void closingDuringTheRunAndAnsweringNoKeepsTheWindow() {
    Bench bench("PT");
    prepareTwoRows(bench);
    RasterWindow& window = bench.open("");
    bench.sim.prompts.answers = {false};
    bench.engrave([&] { window.close(); });
    QVERIFY(window.isVisible());
    QCOMPARE(bench.commands(), kTwoRowsCommands);
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));
    QCOMPARE(bench.setting("Etching_delay"), std::string("-"));
  }

  // A board that answers three commands and then hangs with the line open. The setup command's
  // reply counts for the first burn, so the run waits for good at its fifth command.
  void aSilentBoardIsLeftAtTheSecondStopAndTheNextRunStartsCleanly_data() {
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Стоп twice") << QStringList{"stop", "stop"} << false;
    QTest::newRow("Стоп, then closing") << QStringList{"stop", "close"} << true;
    QTest::newRow("closing twice") << QStringList{"close", "close"} << true;
  }
  void aSilentBoardIsLeftAtTheSecondStopAndTheNextRunStartsCleanly() {
    QFETCH(QStringList, presses);
    QFETCH(bool, closes);
    Bench bench("PT", {"--silent-after", "3"});
    prepareTwoRows(bench);
    RasterWindow& window = bench.open("");
    auto press = [&] {
      for (const QString& what : presses) {
        if (what == "stop") bench.button("Command9")->click();
        if (what == "close") window.close();
      }
    };
    vexa::test::OnceReceived(bench.sim.sim, 5, &window, press);
    vexa::test::HangUpIfStillWaiting(bench.sim.sim, &window);
    bench.engrave();
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));
    QCOMPARE(bench.sim.prompts.messages[0].caption, std::string("Ziravev AVE"));
    QCOMPARE(bench.sim.prompts.messages[0].text,
             std::string("Контроллер не отвечает. Работа остановлена."));
    QVERIFY(bench.sim.prompts.questions.empty());
    const Commands firstRun{"V", ",,,40,2000", "40,0,0", "40,0,4000", "40,0,4000"};
    QCOMPARE(bench.sim.sim.receivedCommands(), firstRun);
    if (closes) {
      QVERIFY(!window.isVisible());
      QCOMPARE(bench.setting("Etching_delay"), std::string("4000"));  // closed properly
      return;
    }
    QVERIFY(window.isVisible());
    QVERIFY(bench.button("Command1")->isEnabled());
    QVERIFY(bench.field("Text5")->isEnabled());

    vexa::test::OnceReceived(bench.sim.sim, 7, &window, press);
    bench.engrave();
    Commands bothRuns = firstRun;
    bothRuns.insert(bothRuns.end(), {",,,40,2000", "40,0,0"});
    QCOMPARE(bench.sim.sim.receivedCommands(), bothRuns);
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(2));
    QVERIFY(bench.sim.prompts.questions.empty());
  }

  void toneBoxesWorkOnTheFreshlyFittedPicture() {
    Bench bench("PT");
    PixelBuffer gray(8, 4);
    for (int y = 1; y <= 4; ++y) {
      for (int x = 1; x <= 8; ++x) gray.setGray(x, y, static_cast<std::uint8_t>(x * 30));
    }
    bench.prepare(gray, "Etching_image", "Etching_width=1,6\r\nEtching_diameter=0,2\r\n");
    bench.open("");
    const PixelBuffer fitted = bench.picture();
    bench.box("Check5")->setChecked(true);
    PixelBuffer toned = fitted;
    vexa::picture::PseudoTone(toned);
    QCOMPARE(bench.picture(), toned);
    bench.box("Check6")->setChecked(true);
    vexa::picture::InvertPicture(toned);
    QCOMPARE(bench.picture(), toned);
    bench.box("Check5")->setChecked(false);
    PixelBuffer inverted = fitted;
    vexa::picture::InvertPicture(inverted);
    QCOMPARE(bench.picture(), inverted);
    bench.window->close();
    QCOMPARE(bench.setting("Etching_pseudo"), std::string("0"));
    QCOMPARE(bench.setting("Etching_invert"), std::string("1"));
  }
};

QTEST_MAIN(RasterWindowTest)
#include "raster_window_test.moc"
