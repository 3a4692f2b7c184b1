// The whole road of laser raster engraving through the real executable: the menu opens the
// laser window, which checks the "PT" firmware of a vexa-sim controller, loads and fits the
// picture named in cnc.ini, engraves it with the G-code export and the return move, and saves
// its settings when the program ends. The program is driven by its automation hook.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <sstream>

#include "picture/bmp_file.h"
#include "picture/picture_samples.h"
#include "raster/raster_window.h"
#include "support/sim_link.h"
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

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.ends_with('\r')) line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// A 53 x 37 gray picture stored at one pixel per 0,2 mm spot (10,6 mm wide), converted to G-code
// at 21,2 mm: the picture must be refitted to 106 x 74 pixels, height 14,8 mm.
struct BatchConversion {
  static picture::PixelBuffer picture() {
    picture::PixelBuffer gray(53, 37);
    for (int y = 1; y <= 37; ++y) {
      for (int x = 1; x <= 53; ++x) {
        gray.setGray(x, y, static_cast<std::uint8_t>((x + y) % 5 == 0 ? 255 : x * 4 + y));
      }
    }
    return gray;
  }
  static void prepare(const test::TempFolder& folder, const std::string& portLine) {
    picture::WriteBmpFile(picture(), folder / "picture.bmp");
    folder.write("cnc.ini", "[CNC]\r\n" + portLine + "Etching_width=10,6\r\n" +
                                "Etching_diameter=0,2\r\nEtching_image=" +
                                (folder / "picture.bmp").string() + "\r\n");
  }
};

TEST_F(RasterEngravingEndToEnd, TheReadmeWidthExampleConvertsAsTypingAndLeavingTheField) {
  BatchConversion::prepare(folder, "Port=" + sim.portPath() + "\r\n");
  const VexaRun run = runVexa(folder,
                              "menu etching_cl\n"
                              "check Form3/Check1 off\n"
                              "check Form3/Check4 on\n"
                              "type Form3/Text6 21,2\n"
                              "click Form3/Command1\n"
                              "quit\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const std::vector<std::string> scripted = linesOf(folder.read("program.gcode"));

  // The same conversion in the window, typed and left by hand.
  test::SimLink bench({"--tag", "PT"});
  BatchConversion::prepare(bench.folder, "");
  raster::RasterWindow window(bench.link, bench.machine, bench.folder.path(), "");
  window.show();
  window.findChild<QCheckBox*>("Check1")->setChecked(false);
  window.findChild<QCheckBox*>("Check4")->setChecked(true);
  auto* width = window.findChild<QLineEdit*>("Text6");
  width->selectAll();
  QTest::keyClicks(width, "21,2");
  QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(width, &leave);
  EXPECT_EQ(window.findChild<QLineEdit*>("Text7")->text(), "14,8");
  EXPECT_EQ(window.picture().width(), 106);
  EXPECT_EQ(window.picture().height(), 74);
  window.findChild<QPushButton*>("Command1")->click();
  const std::vector<std::string> typed = linesOf(bench.folder.read("program.gcode"));

  ASSERT_GT(typed.size(), 1000u);
  EXPECT_NE(std::find(typed.begin(), typed.end(), "G0 Y14.6"), typed.end()) << "row 74 of 14,8 mm";
  EXPECT_NE(std::find(typed.begin(), typed.end(), "G0 X21.2"), typed.end()) << "the far edge";
  ASSERT_EQ(scripted.size(), typed.size());
  for (std::size_t i = 0; i < typed.size(); ++i) {
    ASSERT_EQ(scripted[i], typed[i]) << "line " << i + 1;
  }
  // With "Гравировать" cleared only the firmware check and the setup reach the machine.
  EXPECT_EQ(sim.receivedCommands(), (Commands{"V", ",,,40,2000"}));
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

TEST_F(RasterEngravingEndToEnd, TypedTextGoesThroughTheFieldsKeyFilter) {
  // A typed "." becomes "," and letters are swallowed, as when a person types them; a read-only
  // field cannot be typed into at all.
  const VexaRun run = runVexa(folder,
                              "menu etching_cl\n"
                              "type Form3/Text4 3.5x00\n"
                              "close Form3\n"
                              "menu etching_cl\n"
                              "type Form3/Text1 /elsewhere.png\n"
                              "quit\n");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.errors.find("VEXA_AUTOMATION: line 5: no usable field Text1"), std::string::npos)
      << run.errors;
  EXPECT_NE(folder.read("cnc.ini").find("\nEtching_delay=3,500\r\n"), std::string::npos)
      << folder.read("cnc.ini");
}

TEST_F(RasterEngravingEndToEnd, AReadOnlyCncIniIsLeftUnchangedAndToldOfOnce) {
  const std::string before = folder.read("cnc.ini");
  const std::filesystem::path ini = folder / "cnc.ini";
  std::filesystem::permissions(ini, std::filesystem::perms::owner_read |
                                        std::filesystem::perms::group_read |
                                        std::filesystem::perms::others_read);
  const VexaRun run = runVexa(folder,
                              "menu etching_cl\n"
                              "type Form3/Text4 3000\n"
                              "close Form3\n"
                              "menu etching_cl\n"
                              "type Form3/Text6 0,6\n"
                              "close Form3\n"
                              "quit\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(folder.read("cnc.ini"), before);
  EXPECT_EQ(run.transcript, "message\tОшибка\tФайл настроек " + ini.string() +
                                " защищён от записи (только для чтения) и не изменяется.\\r\\n"
                                "Новые значения настроек не сохраняются.\n");
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
