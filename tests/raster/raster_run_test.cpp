// The raster run against a scripted port: commands, dwell, stop, marks, export, closing message.

#include "raster/raster_run.h"

#include <gtest/gtest.h>

#include "link/fake_serial_port.h"
#include "picture/picture_samples.h"
#include "raster/raster_job.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"
#include "wood/wood_job.h"

namespace vexa::raster {
namespace {

using picture::PixelBuffer;
using picture::test::GrayPicture;
using Texts = std::vector<std::string>;

class RasterRunTest : public ::testing::Test {
 protected:
  RasterRunTest() {
    port.opened = true;
    port.replyToEachWrite = "T";
  }

  // 0.5 mm over a two-pixel-wide picture at 0.005 mm per step: 50 steps per pixel.
  RunParts parts(RunRules rules = LaserRunRules()) {
    return RunParts{link,
                    moves,
                    settings,
                    bitmap,
                    [this] {
                      ++redraws;
                      if (onRedraw) onRedraw();
                    },
                    {},
                    RunBoxes{[this] { return send; }, [this] { return pixelRedraw; },
                             [this] { return back; }, [this] { return twice; }},
                    numbers,
                    rules,
                    exportPath,
                    [this] { return now; }};
  }

  test::FakeSerialPort port;
  link::NoEventPump pump;
  test::RecordingPrompts prompts;
  link::MachineLink link{port, pump, prompts};
  link::MachineSettings settings;
  bool send = true, pixelRedraw = false, back = false, twice = false;
  double widthMm = 0.5;
  PixelBuffer bitmap = GrayPicture({{0, 254}, {255, 255}});
  link::RasterMoves moves{link::MotionContext(link, settings, [this] { return send; }), [this] {
                            return link::PlaneScale{widthMm, bitmap.width()};
                          }};
  RunNumbers numbers{4000, 1000, 0.5, 0.5};
  std::optional<std::filesystem::path> exportPath;
  std::int64_t now = 1000;
  int redraws = 0;
  std::function<void()> onRedraw;
  test::TempFolder folder;
};

TEST_F(RasterRunTest, SetupThenOneMovePerPixelWithTheDwellOfItsGrayLevel) {
  RasterRun(parts()).run();
  // 254: nearest((4000 - 1000) x 1 / 255 + 1000) = nearest(1011.76).
  EXPECT_EQ(port.written, (Texts{",,,50,2000;", "50,0,0;", "50,0,4000;", "50,0,1012;", "0,50,0;"}));
  EXPECT_TRUE(port.incoming.empty()) << "the final wait takes the last reply";
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Лазерная гравировка");
  EXPECT_EQ(prompts.messages[0].text, "Гравировка закончена!\r\nПродолжительность: 00:00:00");
}

TEST_F(RasterRunTest, DwellScaleRunsFromBlackDownTowardsTheThreshold) {
  const DwellScale scale(4000, 0);
  EXPECT_EQ(scale(0), 4000);
  EXPECT_EQ(scale(254), 16);    // 15.69
  EXPECT_EQ(scale(128), 1992);  // 1992.16
  EXPECT_EQ(DwellScale(2.5, 0)(0), 2) << "halves go to the even neighbour";
  EXPECT_EQ(DwellScale(3.5, 0)(0), 4);
}

TEST_F(RasterRunTest, UntickedSendsOnlyTheSetupAndWaitsForNothing) {
  send = false;
  exportPath = folder / "program.gcode";
  EXPECT_TRUE(RasterRun(parts()).run());
  EXPECT_EQ(port.written, (Texts{",,,50,2000;"}));
  EXPECT_EQ(folder.read("program.gcode"),
            "G0 X0\r\nS4000 M3\r\nG0 X0.25\r\nM5\r\nS1012 M3\r\nG0 X0.5\r\nM5\r\nG0 Y0.25\r\n");
}

TEST_F(RasterRunTest, StopAnsweredNoResumesWithTheMoveThatWasAboutToGo) {
  pixelRedraw = true;
  onRedraw = [this] {
    if (redraws == 1) link.StopRequested = true;  // "Стоп" pressed after the first burn
  };
  prompts.answers = {false};
  RasterRun(parts()).run();
  EXPECT_EQ(port.written, (Texts{",,,50,2000;", "50,0,0;", "50,0,4000;", "50,0,1012;", "0,50,0;"}));
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0].caption, "Внимание");
  EXPECT_EQ(prompts.questions[0].text,
            "Гравировка остановлена. Остановить?\r\nДа - остановить. Нет - продолжить.");
  EXPECT_FALSE(link.StopRequested);
}

TEST_F(RasterRunTest, StopAnsweredYesEndsQuietlyKeepingMarksAndTheWrittenExport) {
  bitmap = GrayPicture({{0, 255}, {255, 0}, {0, 255}});
  exportPath = folder / "program.gcode";
  onRedraw = [this] {
    if (redraws == 1) link.StopRequested = true;  // the redraw after rows 1 and 2
  };
  prompts.answers = {true};
  const PixelBuffer before = bitmap;
  EXPECT_THROW(RasterRun(parts()).run(), link::LinkAbort);
  EXPECT_EQ(port.written, (Texts{",,,50,2000;", "50,0,0;", "50,0,4000;", "0,50,0;", "50,0,0;",
                                 "-50,0,4000;", "0,50,0;"}));
  EXPECT_TRUE(prompts.messages.empty()) << "no closing message";
  EXPECT_EQ(bitmap.pixel(2, 2)[2], 255) << "the burned pixels stay marked red";
  EXPECT_EQ(bitmap.pixel(2, 2)[0], 0);
  EXPECT_EQ(bitmap.pixel(1, 1)[2], 255);
  EXPECT_NE(bitmap, before);
  EXPECT_EQ(folder.read("program.gcode"),
            "G0 X0\r\nS4000 M3\r\nG0 X0.25\r\nM5\r\nG0 Y0.17\r\nG0 X0.5\r\nS4000 M3\r\n"
            "G0 X0.25\r\nM5\r\nG0 Y0.33\r\n")
      << "everything up to the last finished row pair";
}

TEST_F(RasterRunTest, MarksShowDuringTheRunAndTheCleanPictureComesBack) {
  const PixelBuffer before = bitmap;
  pixelRedraw = true;
  std::vector<int> redSeen;
  onRedraw = [&] { redSeen.push_back(bitmap.pixel(1, 1)[2]); };
  RasterRun(parts()).run();
  // Two pixel redraws, the row-pair redraw, and the one after the clean copy is back.
  EXPECT_EQ(redSeen, (std::vector<int>{255, 255, 255, 0}));
  EXPECT_EQ(bitmap, before);
}

TEST_F(RasterRunTest, WithoutPixelRedrawTheLaserRedrawsOncePerRowPair) {
  bitmap = PixelBuffer(2, 5);
  RasterRun(parts()).run();
  EXPECT_EQ(redraws, 2 + 1) << "after rows 2 and 4, then the clean copy";
}

TEST_F(RasterRunTest, DurationCountsWholeSecondsWithoutWrappingHours) {
  onRedraw = [this] { now = 1000 + 26 * 3600 + 2 * 60 + 41; };
  RasterRun(parts()).run();
  EXPECT_EQ(prompts.messages.back().text, "Гравировка закончена!\r\nПродолжительность: 26:02:41");
  EXPECT_EQ(FinishedText(std::nullopt), "Гравировка закончена!");
  EXPECT_EQ(FinishedText(59), "Гравировка закончена!\r\nПродолжительность: 00:00:59");
}

TEST_F(RasterRunTest, WidthThatGivesNoWholeStepPerPixelIsRefusedBeforeAnythingIsSent) {
  widthMm = 0.004;  // 0.4 steps per pixel
  exportPath = folder / "program.gcode";
  folder.write("program.gcode", "kept");
  EXPECT_FALSE(RasterRun(parts()).run());
  EXPECT_TRUE(port.written.empty());
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Ошибка");
  EXPECT_EQ(prompts.messages[0].text, kNoStepsText);
  EXPECT_EQ(folder.read("program.gcode"), "kept");
}

TEST_F(RasterRunTest, WithoutSendingAWidthWithNoWholeStepStillConvertsToGcode) {
  widthMm = 0.004;  // 0.4 steps per pixel: harmless when nothing is sent
  send = false;
  exportPath = folder / "program.gcode";
  EXPECT_TRUE(RasterRun(parts()).run());
  EXPECT_TRUE(port.written.empty()) << "not even the setup, which would carry 0 steps";
  EXPECT_EQ(folder.read("program.gcode"),
            "G0 X0\r\nS4000 M3\r\nG0 X0.25\r\nM5\r\nS1012 M3\r\nG0 X0.5\r\nM5\r\nG0 Y0.25\r\n");
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Лазерная гравировка");
}

TEST_F(RasterRunTest, SendingSwitchedOnDuringSuchAConversionStopsItBeforeAnyCommand) {
  widthMm = 0.004;
  send = false;
  pixelRedraw = true;
  bitmap = GrayPicture({{0, 0}, {0, 0}});
  exportPath = folder / "program.gcode";
  onRedraw = [this] { send = true; };  // "Гравировать" ticked after the first burned pixel
  EXPECT_THROW(RasterRun(parts()).run(), link::LinkAbort);
  EXPECT_TRUE(port.written.empty());
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, kNoStepsText);
}

TEST_F(RasterRunTest, ExportThatCannotBeCreatedStopsTheRunBeforeTheSetup) {
  exportPath = folder / "missing" / "program.gcode";
  EXPECT_THROW(RasterRun(parts()).run(), settings::VexaError);
  EXPECT_TRUE(port.written.empty());
}

TEST_F(RasterRunTest, NegativeRatioTurnsTheMovesButTheSetupCarriesTheMagnitude) {
  settings.SM_X_ratio = -0.005;
  RasterRun(parts()).run();
  EXPECT_EQ(port.written,
            (Texts{",,,50,2000;", "-50,0,0;", "-50,0,4000;", "-50,0,1012;", "0,50,0;"}));
}

TEST_F(RasterRunTest, TheRunClearsAStopLeftFromBefore) {
  link.StopRequested = true;
  RasterRun(parts()).run();
  EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(RasterRunTest, WoodRulesCarryTheTravelDelayAndMoveDownAfterEveryRow) {
  settings.SM_delay = 1500;
  numbers.whiteDwell = settings.SM_delay;
  back = true;
  RasterRun(parts(wood::WoodRunRules())).run();
  // 254: nearest((4000 - 1500) / 255 + 1500) = 1510.
  EXPECT_EQ(port.written, (Texts{",,1500;", "50,0,1500;", "50,0,4000;", "50,0,1510;", "0,50,1500;",
                                 "0,50,1500;", "-100,-100,1500;"}));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, "Гравировка закончена!");
  EXPECT_EQ(bitmap.pixel(1, 1)[2], 255) << "the wood window reloads instead";
}

}  // namespace
}  // namespace vexa::raster
