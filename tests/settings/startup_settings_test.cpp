// What the main window takes from cnc.ini at start-up.

#include "settings/startup_settings.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace vexa::settings {
namespace {

StartupSettings loadFrom(const std::string& iniText) {
  test::TempFolder folder;
  folder.write("cnc.ini", iniText);
  return LoadStartupSettings(SettingsFile(folder / "cnc.ini"));
}

TEST(StartupSettings, NoFileGivesTheBuiltInMachine) {
  test::TempFolder folder;
  const StartupSettings s = LoadStartupSettings(SettingsFile(folder / "cnc.ini"));
  EXPECT_EQ(s.port, "com1");
  EXPECT_EQ(s.speed, 9600);
  EXPECT_EQ(s.machine.SM_X_ratio, 0.005);
  EXPECT_EQ(s.machine.SM_Y_ratio, 0.005);
  EXPECT_EQ(s.machine.SM_Z_ratio, 0.005);
  EXPECT_EQ(s.machine.SM_delay, 2000);
  EXPECT_EQ(s.machine.SM_optim, 0);
  EXPECT_EQ(s.check_ver, 0);
  EXPECT_EQ(s.check_prev, "1973-01-01");
  EXPECT_FALSE(std::filesystem::exists(folder / "cnc.ini")) << "reading writes nothing";
}

TEST(StartupSettings, BothDecimalSeparatorsAndAnyKeyCase) {
  const StartupSettings comma = loadFrom("[CNC]\nSM_X_ratio=-0,005\nsm_y_RATIO=0,0025\n");
  const StartupSettings dot = loadFrom("[cnc]\r\nSM_X_ratio=-0.005\r\nSM_Y_ratio=0.0025\r\n");
  EXPECT_EQ(comma.machine.SM_X_ratio, -0.005);
  EXPECT_EQ(comma.machine.SM_X_ratio, dot.machine.SM_X_ratio);
  EXPECT_EQ(comma.machine.SM_Y_ratio, dot.machine.SM_Y_ratio);
}

TEST(StartupSettings, PortAndSpeed) {
  const StartupSettings s = loadFrom("[CNC]\nport=/dev/ttyUSB0\nspeed=0\nSM_optim=1\n");
  EXPECT_EQ(s.port, "/dev/ttyUSB0");
  EXPECT_EQ(s.speed, 9600) << "a speed of 0 opens the port at 9600";
  EXPECT_EQ(s.machine.SM_optim, 1);
  EXPECT_EQ(loadFrom("[CNC]\nspeed=115200\n").speed, 115200);
}

TEST(StartupSettings, HandEditedNonsenseFallsBackToBuiltInDefaults) {
  const StartupSettings s = loadFrom(
      "[CNC]\nSM_X_ratio=fast\nSM_Y_ratio=0,01mm\nSM_delay=slow\nSM_optim=yes\n"
      "speed=9600baud\ncheck_ver=often\nSM_Z_ratio=\n");
  EXPECT_EQ(s.machine.SM_X_ratio, 0.005);
  EXPECT_EQ(s.machine.SM_Y_ratio, 0.005);
  EXPECT_EQ(s.machine.SM_Z_ratio, 0.005);
  EXPECT_EQ(s.machine.SM_delay, 2000);
  EXPECT_EQ(s.machine.SM_optim, 0);
  EXPECT_EQ(s.speed, 9600);
  EXPECT_EQ(s.check_ver, 0);
}

TEST(StartupSettings, LastCheckDateMissingVersusEmpty) {
  EXPECT_EQ(loadFrom("[CNC]\n").check_prev, "1973-01-01");
  EXPECT_EQ(loadFrom("[CNC]\ncheck_prev=\n").check_prev, "0");
  EXPECT_EQ(loadFrom("[CNC]\ncheck_prev=2026-12-01\n").check_prev, "2026-12-01");
}

}  // namespace
}  // namespace vexa::settings
