// The spot diameter moves by whole X motor steps.

#include "picture/spot_diameter.h"

#include <gtest/gtest.h>

namespace vexa::picture {
namespace {

constexpr double kStep = 0.005;

TEST(SpotDiameter, ArrowsMoveByOneStep) {
  EXPECT_EQ(SpotDiameterUp("0,2", kStep), "0,205");
  EXPECT_EQ(SpotDiameterDown("0,2", kStep), "0,195");
  EXPECT_EQ(SpotDiameterUp("0.2", kStep), "0,205");
  EXPECT_EQ(SpotDiameterUp("0,2023", kStep), "0,205");  // from the nearest whole step
  EXPECT_EQ(SpotDiameterUp("0", kStep), "0,005");
}

TEST(SpotDiameter, DownNeverGoesBelowOneStep) {
  EXPECT_EQ(SpotDiameterDown("0,01", kStep), "0,005");   // two steps
  EXPECT_EQ(SpotDiameterDown("0,005", kStep), "0,005");  // one step
  EXPECT_EQ(SpotDiameterDown("0", kStep), "0,005");
  EXPECT_EQ(SpotDiameterDown("-3", kStep), "0,005");
}

TEST(SpotDiameter, LeavingTheFieldSnapsToWholeSteps) {
  EXPECT_EQ(SnapSpotDiameter("0,2023", kStep), "0,2");
  EXPECT_EQ(SnapSpotDiameter("0,2", kStep), "0,2");
  EXPECT_EQ(SnapSpotDiameter("0,0026", kStep), "0,005");
  EXPECT_EQ(SnapSpotDiameter("0", kStep), "0");
  EXPECT_EQ(SnapSpotDiameter("1", 0.0125), "1");
}

TEST(SpotDiameter, NotANumberOrNoStepGivesNothing) {
  EXPECT_EQ(SnapSpotDiameter("abc", kStep), std::nullopt);
  EXPECT_EQ(SnapSpotDiameter("", kStep), std::nullopt);
  EXPECT_EQ(SnapSpotDiameter("0,2", 0), std::nullopt);
  EXPECT_EQ(SpotDiameterUp("abc", kStep), std::nullopt);
  EXPECT_EQ(SpotDiameterDown("0,2", 0), std::nullopt);
}

TEST(SpotDiameter, ANegativeRatioOnlyTurnsTheAxis) {
  EXPECT_EQ(SpotDiameterUp("0,2", -kStep), "0,205");
  EXPECT_EQ(SpotDiameterDown("0,2", -kStep), "0,195");
  EXPECT_EQ(SpotDiameterDown("0,005", -kStep), "0,005");
  EXPECT_EQ(SnapSpotDiameter("0,2023", -kStep), "0,2");
}

TEST(FormatReal, FifteenSignificantDigitsDecimalComma) {
  EXPECT_EQ(FormatReal(41 * 0.005), "0,205");
  EXPECT_EQ(FormatReal(0.1 + 0.2), "0,3");
  EXPECT_EQ(FormatReal(2.0), "2");
  EXPECT_EQ(FormatReal(1.0 / 3), "0,333333333333333");
  EXPECT_EQ(FormatReal(1e-5), "0,00001");
}

}  // namespace
}  // namespace vexa::picture
