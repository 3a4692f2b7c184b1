#include "link/commands.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace vexa::link {
namespace {

TEST(CommandText, WritesSignedIntegersEmptyFieldsAndTerminator) {
  EXPECT_EQ(CommandText({-200, 0, 4000}), "-200,0,4000;");
  EXPECT_EQ(CommandText({1, 2, {}, 7}), "1,2,,7;");
  EXPECT_EQ(CommandText({0, 0, -1}, Terminator::None), "0,0,-1");
  EXPECT_EQ(CommandText({-2147483648LL, 2147483647}), "-2147483648,2147483647;");
}

TEST(CommandCatalogue, LayoutsOfEveryWindow) {
  EXPECT_EQ(VersionQuery(), "V;");
  EXPECT_EQ(MillingMove(10, -20, 5, 2000), "10,-20,5,2000;");
  EXPECT_EQ(MillingMove(0, 0, 0, 0), "0,0,0,0;");
  EXPECT_EQ(ThreeFieldMove(3, -4, 0), "3,-4,0;");
  EXPECT_EQ(LiftMove(2000, 2000), "0,0,2000,2000;");
  EXPECT_EQ(LiftMove(-2000, 1500), "0,0,-2000,1500;");
  EXPECT_EQ(LaserOff(), "0,0,-1");
  EXPECT_EQ(LaserOn(), "0,0,1");
  EXPECT_EQ(RasterMove(-40, 0, 123), "-40,0,123;");
  EXPECT_EQ(RasterSetup(40, 4000), ",,,40,4000;");
  EXPECT_EQ(WoodSetup(2000), ",,2000;");
  EXPECT_EQ(ScannerMove(0, 0, -100), "0,0,200;");
  EXPECT_EQ(ScannerMove(5, -6, 7), "5,-6,-14;");
}

TEST(CommandCatalogue, ManualMoveFollowsTheFirmwareLetter) {
  EXPECT_EQ(ManualMove('M', 200, -200, 10, 2000), "200,-200,10,2000;");
  EXPECT_EQ(ManualMove('P', 200, -200, 10, 2000), "200,-200,,,2000;");
  EXPECT_EQ(ManualMove('S', 200, -200, 10, 2000), "200,-200,,2000;");
  EXPECT_EQ(ManualMove('O', 1, 2, 3, 4), "1,2,,4;");
  EXPECT_EQ(ManualMove('B', 1, 2, 3, 4), "1,2,,4;");
}

TEST(CommandCatalogue, OutlineMovesDropZeroFieldsAtTheEnd) {
  EXPECT_EQ(OutlineMove(5, 0, 0, 0), "5;");
  EXPECT_EQ(OutlineMove(0, 3, 0, 0), "0,3;");
  EXPECT_EQ(OutlineMove(0, 0, 0, 0), "0;");
  EXPECT_EQ(OutlineMove(5, 6, 7, 0), "5,6,7;");
  EXPECT_EQ(OutlineMove(5, 0, 7, 1000), "5,0,7,1000;");
  EXPECT_EQ(OutlineMove(10, 20, 0, 0), "10,20;");
  // A zero inside a number is not a zero field.
  EXPECT_EQ(OutlineMove(10, 100, 0, 0), "10,100;");
  EXPECT_EQ(OutlineMove(-10, 0, 0, 0), "-10;");
  // The estimates count the same length without building the text.
  for (const auto& [x, y, l, w] : std::vector<std::array<std::int64_t, 4>>{
           {5, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, -1, 0}, {-10, 100, 1, 0}, {0, 0, 0, 1000}}) {
    EXPECT_EQ(OutlineMoveLength(x, y, l, w), std::ssize(OutlineMove(x, y, l, w)));
  }
}

}  // namespace
}  // namespace vexa::link
