#pragma once
// The figure windows' end-to-end road on the default ornament: a program folder with
// ornament.bmp and a cnc.ini that names the emulator's port, the real vexa driven by a script.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/sim_process.h"
#include "support/temp_folder.h"
#include "support/vexa_run.h"

namespace vexa::e2e {

// Runs `script` with `settings` (lines "key=value\r\n") in cnc.ini and returns what the emulator
// received after the window's "V"; the run must end with status 0 and no message.
inline std::vector<std::string> RunOnOrnament(const test::SimProcess& sim,
                                              const std::string& settings,
                                              const std::string& script) {
  test::TempFolder folder;
  const std::filesystem::path resources = std::filesystem::path(VEXA_EXE_PATH).parent_path();
  std::filesystem::copy_file(resources / "ornament.bmp", folder / "ornament.bmp");
  folder.write("cnc.ini", "[CNC]\r\nPort=" + sim.portPath() + "\r\n" + settings);
  const test::VexaRun run = test::runVexa(folder, script);
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_TRUE(run.transcript.empty()) << run.transcript;
  std::vector<std::string> commands = sim.receivedCommands();
  EXPECT_FALSE(commands.empty());
  if (commands.empty()) return commands;
  EXPECT_EQ(commands.front(), "V");
  commands.erase(commands.begin());
  return commands;
}

}  // namespace vexa::e2e
