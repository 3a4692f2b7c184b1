// "vexa-cli scan" against vexa-sim: the scanner window, driven through the same steps against a
// twin controller, is the oracle for the commands and image.bmp; Ctrl+C stops a slow scan as
// "Стоп" does; bad input ends with one line and its exit status.

#include <gtest/gtest.h>

#include <QThread>
#include <algorithm>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/eventually.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"
#include "support/vexa_run.h"

namespace vexa::e2e {
namespace {

using Commands = std::vector<std::string>;
using Strings = std::vector<std::string>;

const QStringList kScanner{"--tag", "ST", "--probe", "40,60,50,90,10,70,20"};

std::string Ini(const test::SimProcess& sim, const std::string& scanner) {
  return "[CNC]\r\nPort=" + sim.portPath() + "\r\nspeed=9600\r\n" + scanner;
}

struct OracleCase {
  const char* name;
  std::string scannerKeys;  // cnc.ini lines of the scanner window
  std::string typed;        // the window's script lines before "Сканировать"
  Strings options;          // the same given to vexa-cli
  bool outDir = false;      // image.bmp to --out-dir, not the program folder
};

TEST(CliScanEndToEnd, ScansAsTheWindowDoesAndSavesTheSameImageBmp) {
  const OracleCase cases[] = {
      {"the window's defaults", "", "", {}},
      {"stored fields",
       "scanner_mesh_width=8\r\nscanner_mesh_height=7\r\nscanner_area_width=60\r\n"
       "scanner_picture_width=150\r\nscanner_picture_height=120\r\n",
       "",
       {},
       true},
      // The picture follows the mesh in whole grid steps of the box; the area width follows.
      {"typed mesh and area height",
       "",
       "type Form2/Text3 8\ntype Form2/Text9 80\n",
       {"--mesh-width", "8", "--area-height", "80"}},
      // A picture size takes effect with "Установить"; the area height follows.
      {"typed picture size and area width",
       "",
       "type Form2/Text6 210\ntype Form2/Text7 150\nclick Form2/Command7\ntype Form2/Text8 70\n",
       {"--picture-width", "210", "--picture-height", "150", "--area-width", "70"}},
  };
  for (const OracleCase& c : cases) {
    SCOPED_TRACE(c.name);
    test::SimProcess windowSim(kScanner), cliSim(kScanner);
    test::TempFolder windowFolder, cliFolder, outFolder;
    windowFolder.write("cnc.ini", Ini(windowSim, c.scannerKeys));
    cliFolder.write("cnc.ini", Ini(cliSim, c.scannerKeys));

    const test::VexaRun window =
        test::runVexa(windowFolder, "menu scanner_cl\n" + c.typed +
                                        "click Form2/Command6\nclick Form2/Command2\n"
                                        "click Form2/Command1\nquit\n");
    ASSERT_EQ(window.exitCode, 0) << window.errors;
    ASSERT_EQ(window.transcript,
              "message\tZiravev AVE\tСканирвание завершено\n"
              "message\tСохранение\tИзображение сохранено\n");

    Strings arguments{"--program-dir", cliFolder.path().string(), "scan", "--port",
                      cliSim.portPath()};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    if (c.outDir) arguments.insert(arguments.end(), {"--out-dir", outFolder.path().string()});
    const test::CliRun cli = test::runCli(arguments);
    ASSERT_EQ(cli.exitCode, 0) << cli.errors;
    EXPECT_EQ(cli.errors, "vexa-cli: Сканирвание завершено\nvexa-cli: Изображение сохранено\n");

    EXPECT_GT(cliSim.receivedCommands().size(), 40u);
    EXPECT_EQ(cliSim.receivedCommands(), windowSim.receivedCommands());
    const test::TempFolder& saved = c.outDir ? outFolder : cliFolder;
    EXPECT_TRUE(saved.read("image.bmp") == windowFolder.read("image.bmp"))
        << "image.bmp differs from the window's";
    EXPECT_EQ(cliFolder.entries().size(), c.outDir ? 1u : 2u);  // cnc.ini, and image.bmp there
  }
}


// The commands of the 6 x 5 walk: "V", then a probe at every point and a move between points
// (100 mm over 5 column steps and over 4 row steps at 0.005 mm per motor step).
Commands SixByFiveWalk() {
  const std::pair<int, int> walk[] = {
      {1, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 3}, {2, 3}, {2, 4}, {1, 4}, {1, 5}, {2, 5},
      {3, 5}, {4, 5}, {4, 4}, {3, 4}, {3, 3}, {4, 3}, {4, 2}, {3, 2}, {3, 1}, {4, 1},
      {5, 1}, {6, 1}, {6, 2}, {5, 2}, {5, 3}, {6, 3}, {6, 4}, {5, 4}, {5, 5}, {6, 5}};
  Commands commands{"V", "0,0,200"};
  for (std::size_t k = 1; k < std::size(walk); ++k) {
    commands.push_back(std::to_string((walk[k].first - walk[k - 1].first) * 4000) + "," +
                       std::to_string((walk[k].second - walk[k - 1].second) * 5000) + ",0");
    commands.push_back("0,0,200");
  }
  return commands;
}

TEST(CliScanEndToEnd, CtrlCStopsTheScanAsStopDoesAndLeavesTheBoardFree) {
  QStringList slow = kScanner;
  slow << "--delay"
       << "200";
  test::SimProcess sim(slow);
  test::TempFolder folder;
  folder.write("cnc.ini", Ini(sim, ""));
  const Commands walk = SixByFiveWalk();
  // Interrupted while an answer is on its way: to "V" (an odd count of commands), or to a probe
  // (an even count).
  for (const std::size_t sent : {1u, 4u}) {
    SCOPED_TRACE(sent);
    const std::size_t before = sim.receivedCommands().size();
    test::RunningCli cli(
        {"--program-dir", folder.path().string(), "scan", "--port", sim.portPath()});
    ASSERT_TRUE(test::Eventually([&] {
      const std::size_t received = sim.receivedCommands().size() - before;
      return received >= sent && received % 2 == sent % 2;
    }));
    cli.interrupt();
    const test::CliRun run = cli.waitForEnd();
    EXPECT_EQ(run.exitCode, 3) << run.errors;
    // Nothing but the note that the scan stops once the board has answered (none before it
    // drives the board).
    EXPECT_TRUE(run.errors.empty() || (run.errors.starts_with("vexa-cli: Стоп:") &&
                                       std::count(run.errors.begin(), run.errors.end(), '\n') == 1))
        << run.errors;
    EXPECT_EQ(folder.entries(), Strings{"cnc.ini"});  // no picture of a partial scan

    // The walk's beginning, in whole commands.
    const Commands all = sim.receivedCommands();
    const Commands received(all.begin() + before, all.end());
    ASSERT_LT(received.size(), walk.size());
    EXPECT_EQ(received, Commands(walk.begin(), walk.begin() + received.size()));
  }
  // The board is free again: the next scan takes every reading in its place.
  const std::size_t before = sim.receivedCommands().size();
  const test::CliRun again = test::runCli({"--program-dir", folder.path().string(), "scan",
                                           "--port", sim.portPath(), "--mesh-width", "4"});
  EXPECT_EQ(again.exitCode, 0) << again.errors;
  EXPECT_EQ(sim.receivedCommands().size(), before + 40);  // "V" and the 4 x 5 walk
}

TEST(CliScanEndToEnd, BadInputEndsWithOneLineAndItsStatus) {
  test::SimProcess sim(kScanner);
  test::TempFolder folder;
  folder.write("cnc.ini", Ini(sim, ""));
  const std::string port = sim.portPath();
  struct Case {
    Strings options;
    int exitCode;
    std::string line;
  };
  const Case cases[] = {
      {{}, 1, "scan: сканировать нечем: укажите --port ПОРТ, --demo или --commands ФАЙЛ"},
      {{"--port", port, "--mesh-width", "abc"},
       1,
       "Размер сетки по X должен быть от 2 до 999 точек"},
      {{"--port", port, "--mesh-width", "5"}, 1, "Размер сетки по X должен быть кратным 4"},
      {{"--port", port, "--area-width", "0"},
       1,
       "Введите в поле области сканирования по X число больше 0!"},
      {{"--port", port, "--picture-width", "x"},
       1,
       "Введите в поле ширины изображения целое число от 1 до 19978!"},
      {{"--port", "/dev/vexa-no-such-port"},
       2,
       "Порт /dev/vexa-no-such-port не найден. Проверьте подключение платы Ардуино к "
       "компьютеру. Зайдите в Настройки и выберите другой порт."},
  };
  for (const Case& c : cases) {
    Strings arguments{"--program-dir", folder.path().string(), "scan"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const test::CliRun run = test::runCli(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.line;
    EXPECT_EQ(run.errors, "vexa-cli: " + c.line + "\n");
  }
  // Refused before the port was opened: nothing reached the board.
  EXPECT_EQ(sim.receivedCommands(), Commands{});
}

}  // namespace
}  // namespace vexa::e2e
