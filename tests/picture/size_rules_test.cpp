// The size fields following the picture's proportions, and where RedrawPicture draws.

#include "picture/size_rules.h"

#include <gtest/gtest.h>

namespace vexa::picture {
namespace {

TEST(FormatOneOrTwoDecimals, AtLeastOneAtMostTwo) {
  EXPECT_EQ(FormatOneOrTwoDecimals(150), "150.0");
  EXPECT_EQ(FormatOneOrTwoDecimals(112.456), "112.46");
  EXPECT_EQ(FormatOneOrTwoDecimals(66.666666), "66.67");
  EXPECT_EQ(FormatOneOrTwoDecimals(0.125), "0.13");
  EXPECT_EQ(FormatOneOrTwoDecimals(2.5), "2.5");
}

TEST(DerivedSideText, CommaAndNoFinalCommaZero) {
  EXPECT_EQ(DerivedSideText(200, 400, 300), "150");  // height from width
  EXPECT_EQ(DerivedSideText(201, 400, 300), "150,75");
  EXPECT_EQ(DerivedSideText(200, 3, 1), "66,67");
  EXPECT_EQ(DerivedSideText(150, 300, 400), "200");  // width from height
}

TEST(DiffersByTwoTenths, RefitsOnlyFromTwoTenthsOn) {
  EXPECT_FALSE(DiffersByTwoTenths("150,15", "150"));
  EXPECT_FALSE(DiffersByTwoTenths("150,19", "150"));
  EXPECT_TRUE(DiffersByTwoTenths("150,2", "150"));
  EXPECT_TRUE(DiffersByTwoTenths("149,8", "150"));
  EXPECT_TRUE(DiffersByTwoTenths("0,3", "0,1"));  // 0.3 - 0.1 is just below 0.2 in binary
  EXPECT_TRUE(DiffersByTwoTenths("150", "150.2"));
}

TEST(DiffersByTwoTenths, AFieldThatIsNotANumberAlwaysDiffers) {
  EXPECT_TRUE(DiffersByTwoTenths("150", ""));
  EXPECT_TRUE(DiffersByTwoTenths("150", "abc"));
}

TEST(FigureHeightText, NearestOfWidthTimesHeightDivW) {
  EXPECT_EQ(FigureHeightText("200", 400, 300), "150");
  EXPECT_EQ(FigureHeightText("100", 3, 2), "66");  // 200 div 3
  EXPECT_EQ(FigureHeightText("2,5", 2, 1), "1");   // nearest(2.5) = 2, div 2
  EXPECT_EQ(FigureHeightText("-7", 2, 1), "-3");   // whole division truncates
  EXPECT_EQ(FigureHeightText("abc", 400, 300), std::nullopt);
  EXPECT_EQ(FigureHeightText("200", 0, 0), std::nullopt);
}

TEST(DrawnSizeIn, KeepsProportionsFromTheTopLeft) {
  auto drawn = DrawnSizeIn(400, 300, 1000, 750);
  ASSERT_TRUE(drawn);
  EXPECT_EQ(drawn->width, 400);
  EXPECT_EQ(drawn->height, 300);
  drawn = DrawnSizeIn(500, 300, 100, 100);  // view wider: full height
  EXPECT_EQ(drawn->width, 300);
  EXPECT_EQ(drawn->height, 300);
  drawn = DrawnSizeIn(300, 500, 200, 100);  // view taller: full width
  EXPECT_EQ(drawn->width, 300);
  EXPECT_EQ(drawn->height, 150);
  drawn = DrawnSizeIn(5, 100, 2, 1);  // 2.5 -> 2
  EXPECT_EQ(drawn->height, 2);
}

TEST(DrawnSizeIn, NothingWithoutArea) {
  EXPECT_FALSE(DrawnSizeIn(400, 0, 100, 100));
  EXPECT_FALSE(DrawnSizeIn(0, 400, 100, 100));
  EXPECT_FALSE(DrawnSizeIn(400, 300, 0, 0));
}

}  // namespace
}  // namespace vexa::picture
