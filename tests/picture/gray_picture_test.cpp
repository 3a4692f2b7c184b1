// Gray conversion: weights in byte order (blue 0.3, green 0.6, red 0.11), halves to even,
// clamped at 255.

#include "picture/gray_picture.h"

#include <gtest/gtest.h>

#include "picture_samples.h"

namespace vexa::picture {
namespace {

std::uint8_t grayOf(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
  PixelBuffer one(1, 1);
  one.setColor(1, 1, blue, green, red);
  const PixelBuffer gray = Gray32Picture(one);
  EXPECT_TRUE(gray.isGray());
  return gray.gray(1, 1);
}

TEST(Gray32Picture, PureColoursAndWhite) {
  EXPECT_EQ(grayOf(0, 0, 255), 28);       // red: 28.05
  EXPECT_EQ(grayOf(255, 0, 0), 76);       // blue: 76.5, half to even
  EXPECT_EQ(grayOf(0, 255, 0), 153);      // green
  EXPECT_EQ(grayOf(255, 255, 255), 255);  // 257.55 clamped
  EXPECT_EQ(grayOf(0, 0, 0), 0);
}

TEST(Gray32Picture, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(grayOf(5, 0, 0), 2);   // 1.5
  EXPECT_EQ(grayOf(15, 0, 0), 4);  // 4.5
  EXPECT_EQ(grayOf(25, 0, 0), 8);  // 7.5
}

TEST(Gray32Picture, GrayInputGetsOnePercentDarkerNeverLighter) {
  // 1.01 v: 100 -> 101, 250 -> 252.5 -> 252, 253 -> 255.53 -> clamped
  EXPECT_EQ(grayOf(100, 100, 100), 101);
  EXPECT_EQ(grayOf(250, 250, 250), 252);
  EXPECT_EQ(grayOf(253, 253, 253), 255);
}

TEST(Gray32Picture, KeepsSizeOrientationAndTheArgument) {
  PixelBuffer colour(3, 2);
  colour.setColor(1, 1, 0, 0, 255);
  colour.setColor(3, 2, 255, 0, 0);
  const PixelBuffer before = colour;
  const PixelBuffer gray = Gray32Picture(colour);
  EXPECT_EQ(colour, before);
  EXPECT_EQ(gray.width(), 3);
  EXPECT_EQ(gray.height(), 2);
  EXPECT_EQ(gray.stride(), 10);  // odd width: padded row
  EXPECT_EQ(test::Levels(gray), (std::vector<std::vector<int>>{{28, 255, 255}, {255, 255, 76}}));
}

TEST(Gray32Picture, APictureGivenAwayIsConvertedInPlaceAlike) {
  const PixelBuffer colour = test::NoisePicture(31, 9, 4);
  PixelBuffer given = colour;
  const std::uint8_t* bytes = given.data();
  const PixelBuffer gray = Gray32Picture(std::move(given));
  EXPECT_EQ(gray, Gray32Picture(colour));
  EXPECT_EQ(gray.data(), bytes);
  EXPECT_TRUE(given.empty());
}

TEST(Gray32Picture, EmptyStaysEmpty) {
  EXPECT_TRUE(Gray32Picture(PixelBuffer()).empty());
}

}  // namespace
}  // namespace vexa::picture
