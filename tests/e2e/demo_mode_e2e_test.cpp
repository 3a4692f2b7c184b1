// Demo mode through the real executable: `vexa --demo` drives the emulated controller inside
// the process. A raster job sends it exactly the commands it sends to vexa-sim with the same
// firmware, and a 3D scan reads the demo's relief.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "emulator/demo_mode.h"
#include "picture/bmp_file.h"
#include "picture/picture_samples.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"
#include "support/vexa_run.h"

namespace vexa::e2e {
namespace {

using Commands = std::vector<std::string>;

Commands LogLines(const std::string& log) {
  Commands lines;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Runs `script` on a program folder holding `ini` (its port line comes first): against a
// vexa-sim with `tag`, or in demo mode. The commands the controller received, in order.
Commands RunAgainst(bool demo, const char* tag, const std::string& ini, const std::string& script,
                    std::string* gcode = nullptr) {
  test::TempFolder folder;
  picture::WriteBmpFile(picture::test::GrayPicture({{0, 0, 64, 255, 0, 200},
                                                    {255, 255, 255, 255, 255, 255},
                                                    {0, 128, 255, 0, 0, 30},
                                                    {255, 255, 0, 255, 255, 255}}),
                        folder / "picture.bmp");
  const std::string withPicture = ini + "image=" + (folder / "picture.bmp").string() + "\r\n";
  test::VexaRun run;
  Commands received;
  if (demo) {
    folder.write("cnc.ini", "[CNC]\r\nPort=com1\r\n" + withPicture);
    const std::string log = (folder / "demo.log").string();
    run = test::runVexa(folder, script, {"--demo", "--demo-log", log}, folder.path().string());
    received = LogLines(folder.read("demo.log"));
  } else {
    test::SimProcess sim({"--tag", tag});
    folder.write("cnc.ini", "[CNC]\r\nPort=" + sim.portPath() + "\r\n" + withPicture);
    run = test::runVexa(folder, script);
    received = sim.receivedCommands();
  }
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.transcript.find("Ошибка"), std::string::npos) << run.transcript;
  if (gcode) *gcode = folder.read("program.gcode");
  return received;
}

struct RasterJob {
  const char* name;
  const char* tag;
  const char* menu;
  const char* form;
  const char* keyPrefix;
  bool gcode;
};

class DemoRaster : public ::testing::TestWithParam<RasterJob> {};

TEST_P(DemoRaster, SendsWhatItSendsToVexaSim) {
  const RasterJob& job = GetParam();
  const std::string prefix = job.keyPrefix;
  // The image key is completed with the picture's path by RunAgainst.
  const std::string ini = "speed=9600\r\n" + prefix + "width=1,2\r\n" + prefix +
                          "diameter=0,2\r\n" + prefix;
  const std::string form = job.form;
  std::string script = "menu " + std::string(job.menu) + "\n";
  if (job.gcode) script += "check " + form + "/Check4 on\n";
  script += "check " + form + "/Check2 on\nclick " + form + "/Command1\nquit\n";

  std::string simGcode, demoGcode;
  const Commands overTheLine = RunAgainst(false, job.tag, ini, script, &simGcode);
  ASSERT_GT(overTheLine.size(), 10u);
  EXPECT_EQ(RunAgainst(true, job.tag, ini, script, &demoGcode), overTheLine);
  EXPECT_EQ(demoGcode, simGcode);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, DemoRaster,
    ::testing::Values(RasterJob{"Laser", "PT", "etching_cl", "Form3", "Etching_", true},
                      RasterJob{"ImpactHead", "PT", "shock_cl", "Form3", "sh_Etching_", false},
                      RasterJob{"WoodBurning", "BT", "wood_cl", "Form8", "Etching1_", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DemoScanner, ReadsTheReliefAtEveryNodeOfTheWalk) {
  const std::string script =
      "menu scanner_cl\nclick Form2/Command6\nclick Form2/Command2\nclick Form2/Command1\nquit\n";
  test::TempFolder folder;
  folder.write("cnc.ini", "[CNC]\r\nPort=com1\r\n");
  const std::string log = (folder / "demo.log").string();
  const test::VexaRun run =
      test::runVexa(folder, script, {"--demo", "--demo-log", log}, folder.path().string());
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.transcript,
            "message\tZiravev AVE\tСканирвание завершено\n"
            "message\tСохранение\tИзображение сохранено\n");
  EXPECT_EQ(LogLines(folder.read("demo.log")).size(), 1u + 30 + 29) << "V, 30 probes, 29 moves";

  // The 6 x 5 mesh over 100 x 100 mm: columns 20 mm apart, rows 25 mm; the readings are spread
  // over 0 to 255 and the height picture takes them at the nodes (40 x 50 pixels a step).
  link::MachineSettings machine;
  const emulator::ProbeRelief relief = emulator::DemoRelief(machine);
  int reading[6][5];
  for (int c = 0; c < 6; ++c) {
    for (int r = 0; r < 5; ++r) reading[c][r] = relief(c * 4000, r * 5000);
  }
  const int lowest = *std::min_element(&reading[0][0], &reading[0][0] + 30);
  const int highest = *std::max_element(&reading[0][0], &reading[0][0] + 30);
  ASSERT_GT(highest - lowest, 50) << "the relief shows";
  const auto image = picture::ReadBmpFile(folder / "image.bmp");
  for (int c = 0; c < 6; ++c) {
    for (int r = 0; r < 5; ++r) {
      const double scaled = 255.0 * (reading[c][r] - lowest) / (highest - lowest);
      EXPECT_NEAR(image.pixels.gray(c * 40 + 10, r * 50 + 10), scaled, 1.0)
          << "node " << c + 1 << ", " << r + 1;
    }
  }
}

}  // namespace
}  // namespace vexa::e2e
