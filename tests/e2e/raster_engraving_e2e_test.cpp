// The whole road of laser raster engraving through the real executable: the menu opens the
// laser window, which checks the "PT" firmware of a vexa-sim controller, loads and fits the
// picture named in cnc.ini, engraves it with the G-code export and the return move, and saves
// its settings when the program ends. The program is driven by its automation hook.

#include <gtest/gtest.h>

#include <cmath>

#include "picture/bmp_file.h"
#include "picture/picture_samples.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"
#include "support/vexa_run.h"

namespace vexa::e2e {
namespace {

using test::runVexa;
using test::VexaRun;
using Commands = std::vector<std::string>;

class RasterEngravingEndToEnd : public ::testing::Test {
 protected:
  RasterEngravingEndToEnd() : sim({"--tag", "PT"}) {
    // 4 x 3 pixels at 0,8 mm wide and 0,2 mm spots: kept at its size, 40 steps per pixel.
    picture::WriteBmpFile(
        picture::test::GrayPicture({{0, 128, 255, 0}, {255, 255, 255, 255}, {255, 0, 255, 255}}),
        folder / "picture.bmp");
    folder.write("cnc.ini", "[CNC]\r\nPort=" + sim.portPath() +
                                "\r\nspeed=9600\r\nEtching_width=0,8\r\nEtching_diameter=0,2\r\n"
                                "Etching_image=" +
                                (folder / "picture.bmp").string() + "\r\n");
  }

  test::SimProcess sim;
  test::TempFolder folder;
};

TEST_F(RasterEngravingEndToEnd, EngravesThePictureWritesTheGcodeAndKeepsTheSettings) {
  const VexaRun run = runVexa(folder,
                              "menu etching_cl\n"
                              "check Form3/Check4 on\n"
                              "check Form3/Check2 on\n"
                              "click Form3/Command1\n"
                              "quit\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;

  // The gray pixel's dwell follows the level the picture has after the gray conversion.
  const int gray = picture::ReadBmpFile(folder / "work.bmp").pixels.gray(2, 1);
  const std::string dwell =
      std::to_string(static_cast<int>(std::nearbyint(4000.0 * (255 - gray) / 255)));
  EXPECT_EQ(
      sim.receivedCommands(),
      (Commands{"V", ",,,40,2000", "40,0,0", "40,0,4000", "40,0," + dwell, "40,0,0", "40,0,4000",
                "0,40,0", "0,40,0", "-120,0,0", "40,0,4000", "0,40,0", "-80,-120,0"}));
  EXPECT_EQ(folder.read("program.gcode"),
            "G0 X0\r\nS4000 M3\r\nG0 X0.2\r\nM5\r\nS" + dwell +
                " M3\r\nG0 X0.4\r\nM5\r\n"
                "G0 X0.6\r\nS4000 M3\r\nG0 X0.8\r\nM5\r\nG0 Y0.2\r\nG0 Y0.4\r\nG0 X0.2\r\n"
                "S4000 M3\r\nG0 X0.4\r\nM5\r\nG0 Y0.6\r\nG0 X0 Y0\r\n");
  EXPECT_TRUE(run.transcript.starts_with(
      "message\tЛазерная гравировка\tГравировка закончена!\\r\\nПродолжительность: 00:00:"))
      << run.transcript;
  EXPECT_EQ(std::count(run.transcript.begin(), run.transcript.end(), '\n'), 1) << run.transcript;

  const std::string ini = folder.read("cnc.ini");
  for (const char* line : {"Etching_width=0,8", "Etching_delay=4000", "Etching_min=0",
                           "Etching_diameter=0,2", "Etching_pseudo=0", "Etching_invert=0"}) {
    EXPECT_NE(ini.find(line), std::string::npos) << line << " in\n" << ini;
  }
}

TEST_F(RasterEngravingEndToEnd, ImpactHeadModeKeepsItsSettingsApart) {
  const VexaRun run = runVexa(folder,
                              "menu etching_cl\n"
                              "type Form3/Text4 3000\n"
                              "menu shock_cl\n"
                              "type Form3/Text4 2500\n"
                              "quit\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const std::string ini = folder.read("cnc.ini");
  EXPECT_NE(ini.find("\nEtching_delay=3000"), std::string::npos) << ini;
  EXPECT_NE(ini.find("\nsh_Etching_delay=2500"), std::string::npos) << ini;
  EXPECT_NE(ini.find("\nsh_Etching_width=200"), std::string::npos) << ini;
  EXPECT_EQ(sim.receivedCommands(), (Commands{"V", "V"})) << "each opening checks the firmware";
}

TEST_F(RasterEngravingEndToEnd, AScriptStepThatCannotBeCarriedOutEndsTheProgramWithStatusTwo) {
  const VexaRun run = runVexa(folder, "menu etching_cl\nclick Form8/Command1\nquit\n");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.errors.find("VEXA_AUTOMATION: line 2: no open window Form8"), std::string::npos)
      << run.errors;
  EXPECT_EQ(sim.receivedCommands(), Commands{"V"});
}

}  // namespace
}  // namespace vexa::e2e
