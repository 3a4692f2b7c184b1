// Going on after a cut link through the real executable: a vexa-sim on a link path hangs up in
// the middle of the run, a second one takes the same path over, the window reconnects by itself
// and "Продолжить" finishes the job. What the two boards received, joined, is what one board
// receives from a whole run, and program.gcode is the whole run's file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture/bmp_file.h"
#include "picture/picture_samples.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"
#include "support/vexa_run.h"

namespace vexa::e2e {
namespace {

using Commands = std::vector<std::string>;

struct Window {
  const char* menu;
  const char* form;
  const char* tag;
  const char* keyPrefix;  // "Etching_" or "Etching1_"
  bool gcode;
};

constexpr Window kLaser{"etching_cl", "Form3", "PT", "Etching_", true};
constexpr Window kWood{"wood_cl", "Form8", "BT", "Etching1_", false};

// 5 x 4 pixels at 1 mm and 0,2 mm spots: 40 steps per pixel. The commands of a laser run:
// 1 "V", 2 the setup, then row 1: 3 travel, 4-6 burns, 7 travel, 8 burn; 9 the row move.
void prepare(const test::TempFolder& folder, const Window& window, const std::string& port) {
  picture::WriteBmpFile(picture::test::GrayPicture({{0, 0, 0, 255, 0},
                                                    {255, 255, 255, 255, 255},
                                                    {0, 128, 255, 0, 0},
                                                    {255, 255, 0, 255, 255}}),
                        folder / "picture.bmp");
  const std::string prefix = window.keyPrefix;
  folder.write("cnc.ini", "[CNC]\r\nPort=" + port + "\r\nspeed=9600\r\n" + prefix +
                              "width=1\r\n" + prefix + "diameter=0,2\r\n" + prefix +
                              "image=" + (folder / "picture.bmp").string() + "\r\n");
}

std::string runSteps(const Window& window) {
  const std::string form = window.form;
  std::string steps = "menu " + std::string(window.menu) + "\n";
  if (window.gcode) steps += "check " + form + "/Check4 on\n";
  steps += "check " + form + "/Check2 on\nclick " + form + "/Command1\n";
  return steps;
}

struct Whole {
  Commands commands;
  std::string gcode;
};

Whole wholeRun(const Window& window) {
  test::SimProcess sim({"--tag", window.tag});
  test::TempFolder folder;
  prepare(folder, window, sim.portPath());
  const test::VexaRun run = runVexa(folder, runSteps(window) + "quit\n");
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  return {sim.receivedCommands(), window.gcode ? folder.read("program.gcode") : ""};
}

struct Cut {
  const char* name;
  const Window* window;
  int hangupAfter;
};

class ResumeEndToEnd : public ::testing::TestWithParam<Cut> {};

TEST_P(ResumeEndToEnd, TheTwoBoardsGetWhatOneBoardGetsFromAWholeRun) {
  const Cut& cut = GetParam();
  const Window& window = *cut.window;
  const Whole whole = wholeRun(window);

  test::TempFolder folder;
  const std::string link = (folder / "port").string();
  test::SimProcess first({"--tag", window.tag, "--link", QString::fromStdString(link),
                          "--hangup-after", QString::number(cut.hangupAfter)});
  prepare(folder, window, link);
  const std::string form = window.form;
  test::RunningVexa vexa(folder,
                         runSteps(window) + "wait " + form + "/Command10\nanswer yes\nclick " +
                             form + "/Command10\nquit\n",
                         true);
  ASSERT_TRUE(first.waitForExit());
  // The board is plugged in again: another controller on the same port name.
  test::SimProcess second({"--tag", window.tag, "--link", QString::fromStdString(link)});
  const test::VexaRun run = vexa.waitForEnd();
  ASSERT_EQ(run.exitCode, 0) << run.errors;

  const Commands cutOff = first.receivedCommands();
  ASSERT_EQ(cutOff.size(), static_cast<std::size_t>(cut.hangupAfter));
  Commands joined(cutOff.begin(), cutOff.end() - 1);  // the last one was never answered
  const Commands resumed = second.receivedCommands();
  ASSERT_GE(resumed.size(), 2u);
  EXPECT_EQ(resumed[0], "V") << "the window checked the firmware again";
  EXPECT_EQ(resumed[1], whole.commands[1]) << "the setup, sent again";
  joined.insert(joined.end(), resumed.begin() + 2, resumed.end());
  EXPECT_EQ(joined, whole.commands);
  if (window.gcode) {
    EXPECT_EQ(folder.read("program.gcode"), whole.gcode);
  }

  const std::string lines[] = {
      "message\tZiravev AVE\tОшибка чтения данных с Ардуино. \\r\\n\\r\\nРабота программы "
      "остановлена.",
      "question\tВнимание\tПродолжить гравировку со строки ",
      "message\tЛазерная гравировка\tГравировка закончена!"};
  std::size_t at = 0;
  for (const std::string& line : lines) {
    at = run.transcript.find(line, at);
    ASSERT_NE(at, std::string::npos) << line << "\nin\n" << run.transcript;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, ResumeEndToEnd,
    ::testing::Values(Cut{"LaserAtTheFirstMove", &kLaser, 3},
                      Cut{"LaserInTheMiddleOfARow", &kLaser, 5},
                      Cut{"LaserOnARowMove", &kLaser, 9}, Cut{"WoodOnARowMove", &kWood, 9}),
    [](const ::testing::TestParamInfo<Cut>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vexa::e2e
