// The settings window's fields: how memory is shown, what is refused, and what reaches cnc.ini.

#include "app/settings_form.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "support/temp_folder.h"

namespace vexa::app {
namespace {

SettingsFields goodFields() {
  SettingsFields fields;
  fields.xRatio = "0.01";
  fields.yRatio = "-0,0025";
  fields.zRatio = "0,005";
  fields.delay = "1500";
  fields.port = "/dev/ttyUSB0";
  fields.speed = "115200";
  fields.optim = true;
  return fields;
}

std::vector<std::string> fileLines(const test::TempFolder& folder) {
  std::istringstream text(folder.read("cnc.ini"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

TEST(SettingsFormShown, RatiosWithTheDecimalCommaAndAtMostFifteenDigits) {
  EXPECT_EQ(RatioText(-0.005), "-0,005");
  EXPECT_EQ(RatioText(0.01), "0,01");
  EXPECT_EQ(RatioText(0.1 + 0.2), "0,3");
  EXPECT_EQ(RatioText(2.0), "2");
  EXPECT_EQ(RatioText(0.0000001), "0,0000001");
  EXPECT_EQ(RatioText(1.0 / 3.0), "0,333333333333333");
}

TEST(SettingsFormShown, FieldsComeFromMemory) {
  link::MachineSettings machine;
  machine.SM_X_ratio = -0.005;
  machine.SM_delay = 2500;
  machine.SM_optim = 1;
  const SettingsFields fields = FieldsFromMemory(machine, "com8", 19200);
  EXPECT_EQ(fields.xRatio, "-0,005");
  EXPECT_EQ(fields.yRatio, "0,005");
  EXPECT_EQ(fields.delay, "2500");
  EXPECT_EQ(fields.port, "com8");
  EXPECT_EQ(fields.speed, "19200");
  EXPECT_TRUE(fields.optim);
}

TEST(SettingsFormShown, TheEightSpeeds) {
  const auto speeds = SpeedListItems();
  EXPECT_EQ(std::vector<std::string>(speeds.begin(), speeds.end()),
            (std::vector<std::string>{"4800", "9600", "14400", "19200", "28800", "38400", "57600",
                                      "115200"}));
}

TEST(SettingsFormChecked, EitherSeparatorGivesTheSameValues) {
  const FieldsCheck check = ReadSettingsFields(goodFields());
  ASSERT_TRUE(check.values) << check.error;
  EXPECT_EQ(check.values->machine.SM_X_ratio, 0.01);
  EXPECT_EQ(check.values->machine.SM_Y_ratio, -0.0025);
  EXPECT_EQ(check.values->machine.SM_Z_ratio, 0.005);
  EXPECT_EQ(check.values->machine.SM_delay, 1500);
  EXPECT_EQ(check.values->machine.SM_optim, 1);
  EXPECT_EQ(check.values->port, "/dev/ttyUSB0");
  EXPECT_EQ(check.values->speed, 115200);
}

struct RefusedCase {
  std::string SettingsFields::*field;
  const char* text;
  const char* message;
};

class SettingsFormRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(SettingsFormRefused, NamesTheFieldAndGivesNoValues) {
  SettingsFields fields = goodFields();
  fields.*GetParam().field = GetParam().text;
  const FieldsCheck check = ReadSettingsFields(fields);
  EXPECT_FALSE(check.values);
  EXPECT_EQ(check.error, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    BadNumbers, SettingsFormRefused,
    testing::Values(
        RefusedCase{&SettingsFields::xRatio, "abc",
                    "Перемещение на один шаг по оси X должно быть числом, например 0,005."},
        RefusedCase{&SettingsFields::yRatio, "",
                    "Перемещение на один шаг по оси Y должно быть числом, например 0,005."},
        RefusedCase{&SettingsFields::zRatio, "1e-3",
                    "Перемещение на один шаг по оси Z должно быть числом, например 0,005."},
        RefusedCase{&SettingsFields::xRatio, "0,000",
                    "Перемещение на один шаг по оси X не может быть равно нулю."},
        RefusedCase{&SettingsFields::zRatio, "-0",
                    "Перемещение на один шаг по оси Z не может быть равно нулю."},
        RefusedCase{&SettingsFields::delay, "2 000",
                    "Задержка между шагами при холостом ходе должна быть числом микросекунд, "
                    "например 2000."},
        RefusedCase{&SettingsFields::delay, "-1",
                    "Задержка между шагами при холостом ходе не может быть отрицательной."},
        RefusedCase{&SettingsFields::port, " ", "Укажите виртуальный COM-порт."},
        RefusedCase{&SettingsFields::speed, "fast",
                    "Скорость COM-порта должна быть целым числом больше нуля, например 9600."},
        RefusedCase{&SettingsFields::speed, "0",
                    "Скорость COM-порта должна быть целым числом больше нуля, например 9600."},
        RefusedCase{&SettingsFields::speed, "-9600",
                    "Скорость COM-порта должна быть целым числом больше нуля, например 9600."},
        RefusedCase{&SettingsFields::speed, "9600,5",
                    "Скорость COM-порта должна быть целым числом больше нуля, например 9600."},
        RefusedCase{&SettingsFields::speed, "99999999999",
                    "Скорость COM-порта должна быть целым числом больше нуля, например 9600."}));

TEST(SettingsFormChecked, TheFirstBadFieldInWindowOrderIsNamed) {
  SettingsFields fields = goodFields();
  fields.speed = "x";
  fields.yRatio = "y";
  EXPECT_EQ(ReadSettingsFields(fields).error,
            "Перемещение на один шаг по оси Y должно быть числом, например 0,005.");
}

TEST(SettingsFormChecked, SpeedIsAWholeNumberOfBaud) {
  EXPECT_EQ(ReadSpeed("9600"), 9600);
  EXPECT_EQ(ReadSpeed(" 250000 "), 250000);
  EXPECT_EQ(ReadSpeed("1200,0"), 1200);
  EXPECT_FALSE(ReadSpeed("1200,5"));
  EXPECT_FALSE(ReadSpeed(""));
}

TEST(SettingsFormWritten, KeysInOrderWithTheTextsAsTyped) {
  test::TempFolder folder;
  const settings::SettingsFile file(folder / "cnc.ini");
  ASSERT_TRUE(WriteSettingsFields(file, goodFields()));
  EXPECT_EQ(fileLines(folder),
            (std::vector<std::string>{"[CNC]", "SM_X_ratio=0.01", "SM_Y_ratio=-0,0025",
                                      "SM_Z_ratio=0,005", "SM_delay=1500", "SM_optim=1",
                                      "port=/dev/ttyUSB0", "speed=115200"}));
}

TEST(SettingsFormWritten, TheStartUpReadsThePortWrittenAsLowerCaseKey) {
  test::TempFolder folder;
  folder.write("cnc.ini", "[CNC]\r\nPort=com3\r\nhand_step=2\r\n");
  const settings::SettingsFile file(folder / "cnc.ini");
  SettingsFields fields = goodFields();
  fields.optim = false;
  ASSERT_TRUE(WriteSettingsFields(file, fields));
  EXPECT_EQ(file.ReadSetting("Port", "com1"), "/dev/ttyUSB0");
  EXPECT_EQ(file.ReadSetting("SM_optim", "0"), "0");
  EXPECT_EQ(file.ReadSetting("hand_step", "1"), "2") << "other keys are kept";
}

TEST(SettingsFormWritten, AFileThatCannotBeWrittenIsReported) {
  test::TempFolder folder;
  std::filesystem::create_directory(folder / "cnc.ini");  // a folder in the file's place
  const settings::SettingsFile file(folder / "cnc.ini");
  EXPECT_FALSE(WriteSettingsFields(file, goodFields()));
  EXPECT_EQ(SettingsNotSavedText(file),
            "Не удалось сохранить настройки в файл " + (folder / "cnc.ini").string() +
                ".\r\nНовые значения действуют до выхода из программы.");
}

}  // namespace
}  // namespace vexa::app
