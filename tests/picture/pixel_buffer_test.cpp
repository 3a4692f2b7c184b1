// The pixel layout every picture algorithm relies on.

#include "picture/pixel_buffer.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vexa::picture {
namespace {

TEST(PixelBuffer, RowsAreThreeBytesPerPixelRaisedToEven) {
  EXPECT_EQ(PixelBuffer(1, 1).stride(), 4);
  EXPECT_EQ(PixelBuffer(2, 1).stride(), 6);
  EXPECT_EQ(PixelBuffer(3, 2).stride(), 10);
  EXPECT_EQ(PixelBuffer(4, 2).stride(), 12);
  EXPECT_EQ(PixelBuffer(3, 2).sizeInBytes(), 20u);
  EXPECT_EQ(PixelBuffer(3, 2).bytesPerPixel(), 3);
}

TEST(PixelBuffer, PixelsCountFromOneTopDownBlueGreenRed) {
  PixelBuffer picture(3, 2);
  picture.setColor(2, 2, 10, 20, 30);
  // (y - 1) x S + (x - 1) x B
  const std::uint8_t* at = picture.data() + 1 * 10 + 1 * 3;
  EXPECT_EQ(at[0], 10);
  EXPECT_EQ(at[1], 20);
  EXPECT_EQ(at[2], 30);
  EXPECT_EQ(picture.gray(2, 2), 10);
  EXPECT_EQ(picture.row(2), picture.data() + 10);
}

TEST(PixelBuffer, StartsWhiteWithZeroPadding) {
  const PixelBuffer picture(3, 2);
  for (int y = 1; y <= 2; ++y) {
    for (int k = 0; k < 9; ++k) EXPECT_EQ(picture.row(y)[k], 255);
    EXPECT_EQ(picture.row(y)[9], 0);
  }
}

TEST(PixelBuffer, EmptyOnlyAsZeroByZero) {
  EXPECT_TRUE(PixelBuffer().empty());
  EXPECT_TRUE(PixelBuffer(0, 0).empty());
  EXPECT_THROW(PixelBuffer(0, 5), std::length_error);
  EXPECT_THROW(PixelBuffer(-1, 5), std::length_error);
}

TEST(PixelBuffer, RefusesSizesBeyondTheLimits) {
  EXPECT_THROW(PixelBuffer(20001, 1), std::length_error);
  EXPECT_THROW(PixelBuffer(10000, 10000), std::length_error);  // 100 million points
  EXPECT_NO_THROW(PixelBuffer(20000, 1));
}

}  // namespace
}  // namespace vexa::picture
