// The keys the laser, impact-head and wood-burning windows keep in cnc.ini.

#include "raster/engraving_settings.h"

#include <gtest/gtest.h>

#include "raster/raster_mode.h"
#include "support/process_io.h"
#include "support/temp_folder.h"

namespace vexa::raster {
namespace {

// New files get the platform's line ends; the order of the keys is what counts here.
std::string withoutCr(std::string text) {
  std::erase(text, '\r');
  return text;
}

class EngravingSettingsTest : public ::testing::Test {
 protected:
  test::TempFolder folder;
  settings::SettingsFile file{folder / "cnc.ini"};
  EngravingKeys laser = LaserKeys(RasterModeFor("").keyPrefix);
  EngravingKeys impact = LaserKeys(RasterModeFor("shock_head").keyPrefix);
};

TEST_F(EngravingSettingsTest, NoFileGivesTheDefaults) {
  const EngravingSettings read = ReadEngravingSettings(file, laser, folder.path());
  EXPECT_EQ(read.delay, "4000");
  EXPECT_EQ(read.min, "0");
  EXPECT_EQ(read.diameter, "0,2");
  EXPECT_EQ(read.width, "200");
  EXPECT_EQ(read.image, (folder / "gepard2.jpg").string());
  EXPECT_FALSE(read.pseudo);
  EXPECT_FALSE(read.invert);
}

TEST_F(EngravingSettingsTest, ImpactHeadReadsOnlyItsOwnKeysWithTheSameDefaults) {
  folder.write("cnc.ini",
               "[CNC]\r\nEtching_delay=900\r\nEtching_pseudo=1\r\nEtching_image=laser.png\r\n"
               "sh_Etching_min=15\r\nsh_Etching_invert=1\r\n");
  const EngravingSettings head = ReadEngravingSettings(file, impact, folder.path());
  EXPECT_EQ(head.delay, "4000");
  EXPECT_EQ(head.min, "15");
  EXPECT_EQ(head.image, (folder / "gepard2.jpg").string());
  EXPECT_FALSE(head.pseudo);
  EXPECT_TRUE(head.invert);
  const EngravingSettings plain = ReadEngravingSettings(file, laser, folder.path());
  EXPECT_EQ(plain.delay, "900");
  EXPECT_EQ(plain.min, "0");
  EXPECT_EQ(plain.image, "laser.png");
  EXPECT_TRUE(plain.pseudo);
  EXPECT_FALSE(plain.invert);
}

TEST_F(EngravingSettingsTest, EachModeWritesOnlyItsOwnKeysInTheSystemsOrder) {
  EngravingSettings values{"5000", "100", "ignored.png", "0,25", "150", true, false};
  WriteEngravingSettings(file, impact, values);
  EXPECT_EQ(withoutCr(folder.read("cnc.ini")),
            "[CNC]\nsh_Etching_width=150\nsh_Etching_delay=5000\nsh_Etching_min=100\n"
            "sh_Etching_diameter=0,25\nsh_Etching_pseudo=1\nsh_Etching_invert=0\n");
  values.width = "90";
  WriteEngravingSettings(file, laser, values);
  EXPECT_EQ(file.ReadSetting("Etching_width", ""), "90");
  EXPECT_EQ(file.ReadSetting("sh_Etching_width", ""), "150");
  EXPECT_EQ(file.ReadSetting("Etching_image", "none"), "none") << "the path is kept elsewhere";
}

TEST_F(EngravingSettingsTest, WoodBurningUsesEtching1KeysWithoutThresholdOrToneBoxes) {
  const EngravingKeys wood = WoodKeys();
  EXPECT_EQ(wood.key("image"), "Etching1_image");
  folder.write("cnc.ini", "[CNC]\r\nEtching1_delay=3000\r\nEtching1_diameter=\r\n");
  const EngravingSettings read = ReadEngravingSettings(file, wood, folder.path());
  EXPECT_EQ(read.delay, "3000");
  EXPECT_EQ(read.diameter, "0,2") << "an empty value takes the default";
  EXPECT_EQ(read.image, (folder / "gepard2.jpg").string());
  WriteEngravingSettings(file, wood, {"3500", "1", "", "0,3", "80", true, true});
  EXPECT_EQ(folder.read("cnc.ini"),
            "[CNC]\r\nEtching1_delay=3500\r\nEtching1_diameter=0,3\r\nEtching1_width=80\r\n");
}

#ifdef __linux__
TEST_F(EngravingSettingsTest, ALargeFileIsReadOnceWhenTheWindowOpensAndWrittenOnceWhenItCloses) {
  // About 2 MB of other keys before the window's own.
  std::string filler = "[History]\r\n";
  for (int i = 0; i < 40000; ++i) filler += "recent" + std::to_string(i) + "=/home/user/p.jpg\r\n";
  folder.write("cnc.ini", filler + "[CNC]\r\nEtching_delay=900\r\n");
  const auto size = static_cast<std::int64_t>(folder.read("cnc.ini").size());

  const auto beforeRead = test::ReadProcessIo();
  ASSERT_TRUE(beforeRead);
  const EngravingSettings read = ReadEngravingSettings(file, laser, folder.path());
  const auto afterRead = test::ReadProcessIo();
  EXPECT_EQ(read.delay, "900");
  EXPECT_LT(afterRead->readBytes - beforeRead->readBytes, 2 * size) << "seven keys, one read";

  WriteEngravingSettings(file, laser, {"950", "10", "", "0,25", "120", true, false});
  const auto afterWrite = test::ReadProcessIo();
  EXPECT_LT(afterWrite->readBytes - afterRead->readBytes, 2 * size) << "six keys, one read";
  EXPECT_LT(afterWrite->writtenBytes - afterRead->writtenBytes, 2 * size) << "and one write";
  EXPECT_EQ(folder.read("cnc.ini"),
            filler +
                "[CNC]\r\nEtching_delay=950\r\nEtching_width=120\r\nEtching_min=10\r\n"
                "Etching_diameter=0,25\r\nEtching_pseudo=1\r\nEtching_invert=0\r\n");
}
#endif

TEST(RasterMode, ShockHeadSelectsTheImpactHeadAnythingElseTheLaser) {
  const RasterMode head = RasterModeFor("shock_head");
  EXPECT_TRUE(head.impactHead);
  EXPECT_EQ(head.keyPrefix, "sh_");
  EXPECT_EQ(head.windowCaption, "Гравировка ударной головкой");
  EXPECT_EQ(head.settingsPanelCaption, "Настройка ударной головки");
  EXPECT_EQ(head.dwellLabel, "Длительность импульса при ударе макс/мин, микросек:");
  for (const char* context : {"", "laser", "Shock_head"}) {
    const RasterMode laser = RasterModeFor(context);
    EXPECT_FALSE(laser.impactHead) << context;
    EXPECT_EQ(laser.keyPrefix, "");
    EXPECT_EQ(laser.windowCaption, "Гравирование лазером");
    EXPECT_EQ(laser.settingsPanelCaption, "Настройка лазера");
    EXPECT_EQ(laser.dwellLabel, "Задержка между шагами при грав-ке, микросек");
  }
}

}  // namespace
}  // namespace vexa::raster
