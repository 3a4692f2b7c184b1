#include "settings/settings_keys.h"

#include <gtest/gtest.h>

#include <set>

namespace vexa::settings {
namespace {

namespace fs = std::filesystem;

TEST(SettingKeys, TableHasEveryKeyOnceInItsOrder) {
  const auto keys = AllSettingKeys();
  ASSERT_EQ(keys.size(), 39u);
  EXPECT_EQ(keys.front().name, "SM_X_ratio");
  EXPECT_EQ(keys[8].name, "check_prev");
  EXPECT_EQ(keys.back().name, "mill_change_depth");
  std::set<std::string_view> names;
  for (const auto& key : keys) names.insert(key.name);
  EXPECT_EQ(names.size(), keys.size());
}

TEST(BuiltinDefault, LooksUpWithoutRegardToCase) {
  EXPECT_EQ(BuiltinDefault("sm_x_ratio", "/p"), "0.005");
  EXPECT_EQ(BuiltinDefault("port", "/p"), "com1");
  EXPECT_EQ(BuiltinDefault("Etching_diameter", "/p"), "0,2");
  EXPECT_EQ(BuiltinDefault("Etching2_diameter", "/p"), "2");
  EXPECT_EQ(BuiltinDefault("no_such_key", "/p"), "");
}

TEST(BuiltinDefault, PicturesLieInTheProgramFolder) {
  const fs::path programDir = fs::path("opt") / "vexa";
  EXPECT_EQ(BuiltinDefault("Image", programDir), (programDir / "ornament.bmp").string());
  EXPECT_EQ(BuiltinDefault("Etching_image", programDir), (programDir / "gepard2.jpg").string());
  EXPECT_EQ(BuiltinDefault("etching1_image", programDir), (programDir / "gepard2.jpg").string());
  EXPECT_EQ(BuiltinDefault("Etching2_image", programDir), (programDir / "ornament.bmp").string());
  EXPECT_EQ(BuiltinDefault("Etching9_image", programDir), (programDir / "ornament.bmp").string());
}

TEST(ImpactHeadKey, RasterKeysGetTheirOwnCopy) {
  EXPECT_EQ(ImpactHeadKey("Etching_delay"), "sh_Etching_delay");
  EXPECT_EQ(BuiltinDefault(ImpactHeadKey("Etching_width"), "/p"), "");
}

}  // namespace
}  // namespace vexa::settings
