// vexa-cli on a bad day: Ctrl+C in the middle of a job on a board, and input it must refuse
// with one line on standard error, its documented exit status and no file begun.

#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <filesystem>

#include "picture/bmp_file.h"
#include "support/cli_run.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"

namespace vexa::e2e {
namespace {

const std::filesystem::path kResources = std::filesystem::path(VEXA_EXE_PATH).parent_path();

std::vector<long long> Fields(const std::string& command) {
  std::vector<long long> fields;
  std::size_t at = 0;
  while (at <= command.size()) {
    const std::size_t comma = std::min(command.find(',', at), command.size());
    fields.push_back(comma == at ? 0 : std::stoll(command.substr(at, comma - at)));
    at = comma + 1;
  }
  return fields;
}

struct StopCase {
  std::string name;
  std::string tag;
  std::vector<std::string> job;  // subcommand and options
  // What the last command must be: the way this job leaves the machine safe.
  bool (*safeEnd)(const std::vector<long long>& last);
};

class CliStop : public ::testing::TestWithParam<StopCase> {};

// The board answers each command a tenth of a second late, so the job is still running when
// Ctrl+C comes.
TEST_P(CliStop, CtrlCLeavesTheMachineSafeAndExitsWithThree) {
  const StopCase& c = GetParam();
  test::SimProcess sim({"--tag", QString::fromStdString(c.tag), "--delay", "100"});
  test::TempFolder folder;
  std::filesystem::copy_file(kResources / "ornament.bmp", folder / "ornament.bmp");
  folder.write("cnc.ini", "[CNC]\r\n");
  std::vector<std::string> arguments{"--program-dir", folder.path().string()};
  arguments.insert(arguments.end(), c.job.begin(), c.job.end());
  arguments.insert(arguments.end(), {(folder / "ornament.bmp").string(), "--port", sim.portPath(),
                                     "--gcode", (folder / "job.gcode").string()});
  test::RunningCli cli(arguments);
  // A few commands in: past the firmware check, in the middle of the work.
  ASSERT_TRUE(QTest::qWaitFor([&] { return sim.receivedCommands().size() > 6; }, 60000));
  cli.interrupt();
  const test::CliRun run = cli.waitForEnd();
  EXPECT_EQ(run.exitCode, 3) << run.errors;

  const std::vector<std::string> commands = sim.receivedCommands();
  ASSERT_GT(commands.size(), 6u);
  EXPECT_TRUE(c.safeEnd(Fields(commands.back()))) << commands.back();
  // The G-code file says where the job stopped.
  EXPECT_NE(folder.read("job.gcode").find("(Работа прервана на X"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    EveryTool, CliStop,
    ::testing::Values(
        // Each raster move burns only while it runs: a whole last move leaves the laser off.
        StopCase{"Laser",
                 "PT",
                 {"raster", "--width", "40", "--diameter", "0,5", "--dialect", "standard"},
                 [](const std::vector<long long>& last) { return last.size() == 3; }},
        // The cutter comes up, out of the work.
        StopCase{"Cutter",
                 "MT",
                 {"mill", "--width", "50"},
                 [](const std::vector<long long>& last) {
                   return last.size() == 4 && last[0] == 0 && last[1] == 0 && last[2] > 0;
                 }},
        StopCase{"OutlineLaser",
                 "OT",
                 {"outline", "--width", "50"},
                 [](const std::vector<long long>& last) {
                   return last.size() >= 3 && last[0] == 0 && last[1] == 0 && last[2] == -1;
                 }}),
    [](const ::testing::TestParamInfo<StopCase>& info) { return info.param.name; });

struct BadInput {
  std::string name;
  std::vector<std::string> arguments;  // "{dir}" stands for the program folder
  int status;
  std::string named;  // what the line must name
};

class CliRefusal : public ::testing::TestWithParam<BadInput> {};

TEST_P(CliRefusal, OneLineNamesTheProblemAndNoFileIsBegun) {
  const BadInput& c = GetParam();
  test::TempFolder folder;
  folder.write("cnc.ini", "[CNC]\r\n");
  std::filesystem::copy_file(kResources / "ornament.bmp", folder / "ornament.bmp");
  folder.write("damaged.bmp", "BM\x36\x00\x00\x00 not a picture at all");
  std::vector<std::string> arguments{"--program-dir", folder.path().string()};
  for (std::string argument : c.arguments) {
    if (const auto at = argument.find("{dir}"); at != std::string::npos) {
      argument.replace(at, 5, folder.path().string());
    }
    arguments.push_back(argument);
  }
  arguments.insert(arguments.end(), {"--gcode", (folder / "out.gcode").string(), "--commands",
                                     (folder / "out.txt").string()});
  const test::CliRun run = test::runCli(arguments);
  EXPECT_EQ(run.exitCode, c.status) << run.errors;
  EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
  EXPECT_NE(run.errors.find(c.named), std::string::npos) << run.errors;
  EXPECT_TRUE(run.out.empty()) << run.out;
  EXPECT_FALSE(std::filesystem::exists(folder / "out.gcode"));
  EXPECT_FALSE(std::filesystem::exists(folder / "out.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    BadInputs, CliRefusal,
    ::testing::Values(
        BadInput{"MissingPicture", {"raster", "{dir}/none.bmp"}, 1, "none.bmp"},
        BadInput{"DamagedPicture", {"mill", "{dir}/damaged.bmp"}, 1, "damaged.bmp"},
        BadInput{"WidthNotANumber",
                 {"raster", "{dir}/ornament.bmp", "--width", "abc"},
                 1,
                 "--width abc"},
        BadInput{"WidthZero", {"outline", "{dir}/ornament.bmp", "--width", "0"}, 1, "ширины"},
        BadInput{
            "UnknownOption", {"mill", "{dir}/ornament.bmp", "--frobnicate"}, 1, "--frobnicate"},
        BadInput{"NoSuchPort",
                 {"relief", "{dir}/ornament.bmp", "--port", "/dev/vexa-none"},
                 2,
                 "/dev/vexa-none"},
        BadInput{"NoSuchFigure", {"mill", "{dir}/ornament.bmp", "--figure", "9999"}, 1, "9999"}),
    [](const ::testing::TestParamInfo<BadInput>& info) { return info.param.name; });

}  // namespace
}  // namespace vexa::e2e
