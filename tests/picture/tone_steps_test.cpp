// The laser window's tone steps: PseudoTone (ordered dither) and InvertPicture.

#include <gtest/gtest.h>

#include "picture/invert_picture.h"
#include "picture/pseudo_tone.h"
#include "picture_samples.h"

namespace vexa::picture {
namespace {

using test::GrayPicture;
using test::Levels;
using Rows = std::vector<std::vector<int>>;

TEST(PseudoTone, ThresholdsOfTheMatrixTileThePicture) {
  // Level 128 against the thresholds (M + 1) x 15: black where the threshold is above 128.
  // Golden: hand-derived from the matrix rows (0 8 2 10) (12 4 14 6) (3 11 1 9) (15 7 13 5).
  PixelBuffer picture(5, 5, 128);
  PseudoTone(picture);
  EXPECT_EQ(Levels(picture), (Rows{{255, 0, 255, 0, 255},
                                   {0, 255, 0, 255, 0},
                                   {255, 0, 255, 0, 255},
                                   {0, 255, 0, 255, 0},
                                   {255, 0, 255, 0, 255}}));
  EXPECT_TRUE(picture.isGray());
}

TEST(PseudoTone, WhiteStaysWhiteAndBelowFifteenTurnsBlack) {
  PixelBuffer white(4, 4, 255);
  PseudoTone(white);
  EXPECT_EQ(white, PixelBuffer(4, 4, 255));
  PixelBuffer dark(4, 4, 14);
  PseudoTone(dark);
  EXPECT_EQ(dark, PixelBuffer(4, 4, 0));
  PixelBuffer light(4, 4, 240);
  PseudoTone(light);
  EXPECT_EQ(light, PixelBuffer(4, 4, 255)) << "240 is not below the highest threshold";
}

TEST(PseudoTone, MatchesTheFormulaOnNoise) {
  const int matrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    const PixelBuffer source = test::NoisePicture(7 + seed % 5, 3 + seed % 6, seed);
    PixelBuffer toned = source;
    PseudoTone(toned);
    for (int y = 1; y <= source.height(); ++y) {
      for (int x = 1; x <= source.width(); ++x) {
        const int threshold = matrix[(y - 1) % 4][(x - 1) % 4] * 15 + 15;
        const int expected = source.gray(x, y) < threshold ? 0 : 255;
        ASSERT_EQ(toned.pixel(x, y)[0], expected);
        ASSERT_EQ(toned.pixel(x, y)[1], expected) << "all three bytes";
        ASSERT_EQ(toned.pixel(x, y)[2], expected);
      }
    }
  }
}

TEST(InvertPicture, EveryPixelBecomesTheNegativeOfItsBlueByte) {
  PixelBuffer picture = GrayPicture({{0, 255, 100}});
  picture.setColor(3, 1, 100, 7, 9);
  InvertPicture(picture);
  EXPECT_EQ(Levels(picture), (Rows{{255, 0, 155}}));
  EXPECT_TRUE(picture.isGray());
  InvertPicture(picture);
  EXPECT_EQ(picture, GrayPicture({{0, 255, 100}}));
}

}  // namespace
}  // namespace vexa::picture
