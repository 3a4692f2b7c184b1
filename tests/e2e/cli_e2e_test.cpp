// vexa-cli through the real executable, with the windows as the oracle: for every subcommand the
// window's own end-to-end road (the real vexa driven by its automation script) and the command
// line run on the same picture (or G-code file) and settings against two vexa-sim controllers;
// the two command logs and the two G-code files must be the same. --commands alone must give
// that stream too.

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "picture/bmp_file.h"
#include "picture/picture_samples.h"
#include "support/cli_run.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"
#include "support/vexa_run.h"

namespace vexa::e2e {
namespace {

using Commands = std::vector<std::string>;

const std::filesystem::path kResources = std::filesystem::path(VEXA_EXE_PATH).parent_path();

// The pictures every case may name: the default ornament, a small gray raster picture and a
// drawing of thick lines for the cutting chain; neuro.net beside them.
void PreparePictures(const test::TempFolder& folder) {
  std::filesystem::copy_file(kResources / "ornament.bmp", folder / "ornament.bmp");
  std::filesystem::copy_file(kResources / "neuro.net", folder / "neuro.net");
  picture::WriteBmpFile(
      picture::test::GrayPicture({{0, 128, 255, 0}, {255, 255, 255, 255}, {255, 0, 255, 255}}),
      folder / "picture.bmp");
  picture::PixelBuffer drawing(60, 40);
  for (int y = 1; y <= 40; ++y) {
    for (int x = 1; x <= 60; ++x) {
      const bool frame =
          x >= 5 && x <= 30 && y >= 5 && y <= 32 && (x <= 7 || x >= 28 || y <= 7 || y >= 30);
      const bool bar = x - y >= 28 && x - y <= 30 && y >= 8 && y <= 27;
      drawing.setGray(x, y, frame || bar ? 0 : 255);
    }
  }
  picture::WriteBmpFile(drawing, folder / "drawing.bmp");
  // A CAM program's pocket: plunges, lines and arcs of both turns.
  folder.write("pocket.nc",
               "%\n(pocket)\nG21 G90\nG0 Z2\nG1 Z-1 F200\nG1 X10 F600\nG2 X20 Y10 I0 J10\n"
               "G1 Y20\nG3 X10 Y30 R10\nG1 X0\nG1 Y0\nG0 Z2\nM30\n%\n");
}

struct Case {
  std::string name;
  std::string tag;
  std::string settings;  // cnc.ini lines; "{dir}" stands for the program folder
  std::string script;    // the window's road
  Commands cli;          // the same from the command line
  std::string windowGcode = "program.gcode";
};

// `text` with "{dir}" standing for `folder`.
std::string InFolder(std::string text, const test::TempFolder& folder) {
  const std::string dir = folder.path().string();
  for (std::size_t at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}")) {
    text.replace(at, 5, dir);
  }
  return text;
}

std::string Settings(const Case& c, const test::TempFolder& folder) {
  return InFolder(c.settings, folder);
}

Commands ReadLines(const std::filesystem::path& path) {
  std::ifstream file(path);
  Commands lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class CliEndToEnd : public ::testing::TestWithParam<Case> {};

TEST_P(CliEndToEnd, SendsWhatTheWindowSendsAndWritesTheSameGcode) {
  const Case& c = GetParam();
  test::SimProcess windowSim({"--tag", QString::fromStdString(c.tag)});
  test::TempFolder windowDir;
  PreparePictures(windowDir);
  windowDir.write("cnc.ini",
                  "[CNC]\r\nPort=" + windowSim.portPath() + "\r\n" + Settings(c, windowDir));
  const test::VexaRun window = test::runVexa(windowDir, InFolder(c.script, windowDir));
  ASSERT_EQ(window.exitCode, 0) << window.errors;
  const Commands expected = windowSim.receivedCommands();
  ASSERT_GT(expected.size(), 2u);

  test::SimProcess cliSim({"--tag", QString::fromStdString(c.tag)});
  test::TempFolder cliDir;
  PreparePictures(cliDir);
  cliDir.write("cnc.ini", "[CNC]\r\n" + Settings(c, cliDir));
  Commands arguments{"--program-dir", cliDir.path().string()};
  for (const std::string& argument : c.cli) arguments.push_back(InFolder(argument, cliDir));
  Commands onBoard = arguments;
  onBoard.insert(onBoard.end(), {"--port", cliSim.portPath()});
  // The wood-burning window writes no G-code.
  if (!c.windowGcode.empty())
    onBoard.insert(onBoard.end(), {"--gcode", (cliDir / "cli.gcode").string()});
  const test::CliRun run = test::runCli(onBoard);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(cliSim.receivedCommands(), expected);
  if (!c.windowGcode.empty()) {
    EXPECT_EQ(ReadAll(cliDir / "cli.gcode"), ReadAll(windowDir / c.windowGcode));
  }

  Commands converted = arguments;
  converted.insert(converted.end(), {"--commands", (cliDir / "commands.txt").string(), "--quiet"});
  const test::CliRun dry = test::runCli(converted);
  ASSERT_EQ(dry.exitCode, 0) << dry.errors;
  EXPECT_EQ(ReadLines(cliDir / "commands.txt"), expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryJob, CliEndToEnd,
    ::testing::Values(
        Case{"Raster",
             "PT",
             "Etching_width=0,8\r\nEtching_diameter=0,2\r\nEtching_image={dir}/picture.bmp\r\n",
             "menu etching_cl\ncheck Form3/Check4 on\ncheck Form3/Check2 on\nclick "
             "Form3/Command1\nquit\n",
             {"raster", "--return"}},
        Case{"ImpactHead",
             "PT",
             "sh_Etching_width=0,8\r\nsh_Etching_diameter=0,2\r\nsh_Etching_image={dir}/"
             "picture.bmp\r\n"
             "gcode_dialect=standard\r\n",
             "menu shock_cl\ncheck Form3/Check4 on\ncheck Form3/Check7 on\nclick "
             "Form3/Command1\nquit\n",
             {"raster", "--mode", "impact", "--double-pass"}},
        Case{"Wood",
             "BT",
             "Etching1_width=0,8\r\nEtching1_diameter=0,2\r\nEtching1_image={dir}/picture.bmp\r\n",
             "menu wood_cl\ncheck Form8/Check2 on\nclick Form8/Command1\nquit\n",
             {"raster", "--mode", "wood", "--return"},
             ""},
        Case{"MillAll",
             "MT",
             "cncrez_width=50\r\nImage={dir}/ornament.bmp\r\n",
             "menu mill_cl\nclick Form1/Command3\ncheck Form1/Check2 on\ncheck Form1/Check3 on\n"
             "click Form1/Command2\nquit\n",
             {"mill", "--return"}},
        Case{"MillSelected",
             "MT",
             "cncrez_width=50\r\nImage={dir}/ornament.bmp\r\n",
             "menu mill_cl\nclick Form1/Command3\nselect Form1/tv P2\ncheck Form1/Check3 on\n"
             "click Form1/Command1\nquit\n",
             {"mill", "--figure", "2"}},
        Case{"Relief",
             "MT",
             "cncrez_width=50\r\nImage={dir}/ornament.bmp\r\n",
             "menu mill_cl\ncheck Form1/Check3 on\nclick Form1/Command6\nquit\n",
             {"relief"}},
        Case{
            "OutlineAll",
            "OT",
            "Etching2_width=50\r\nEtching2_image={dir}/ornament.bmp\r\n",
            "menu etching2_cl\nclick Form5/Command3\ncheck Form5/Check2 on\ncheck Form5/Check3 on\n"
            "click Form5/Command2\nquit\n",
            {"outline", "--return"}},
        Case{"Fill",
             "OT",
             "Etching2_width=50\r\nEtching2_image={dir}/ornament.bmp\r\n",
             "menu etching2_cl\ncheck Form5/Check3 on\nclick Form5/Command6\nquit\n",
             {"fill"}},
        Case{"Cut",
             "OT",
             "Etching9_width=0,3\r\nEtching9_delay=1000\r\nEtching9_image={dir}/drawing.bmp\r\n",
             "menu pic_cl\nclick Form9/Command1\ncheck Form9/Check2 on\ncheck Form9/Check3 on\n"
             "click Form9/Command2\nquit\n",
             {"cut", "--return"}},
        Case{
            "Gcode",
            "MT",
            "",
            "menu gcode_cl\nchoose {dir}/pocket.nc\nclick Form13/Command2\ncheck Form13/Check2 on\n"
            "click Form13/Command1\nquit\n",
            {"gcode", "{dir}/pocket.nc", "--return"},
            ""}),
    [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
}  // namespace vexa::e2e
