// The fast edge bands and offset against the plain window methods on generated pictures: discs,
// plateaus, noise and pictures smaller than the disc, radii 0 to 30, fractional ones included.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "figures/offset_figures.h"
#include "milling/edge_bands.h"
#include "milling/plain_relief.h"

namespace vexa::milling {
namespace {

using picture::PixelBuffer;

class Pictures {
 public:
  explicit Pictures(std::uint32_t seed) : random_(seed) {}
  int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  PixelBuffer discs(int width, int height) {
    PixelBuffer picture(width, height);
    for (int n = between(1, 4); n > 0; --n) {
      const int cx = between(1, width), cy = between(1, height), r = between(1, 30);
      const auto level = std::uint8_t(between(0, 4) == 0 ? between(0, 255) : 0);
      for (int y = 1; y <= height; ++y) {
        for (int x = 1; x <= width; ++x) {
          if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) picture.setGray(x, y, level);
        }
      }
    }
    return picture;
  }
  // Rectangles of a few gray levels, some 10 or 11 apart (the step that counts).
  PixelBuffer plateaus(int width, int height) {
    PixelBuffer picture(width, height, std::uint8_t(between(0, 1) ? 255 : 100));
    for (int n = between(1, 6); n > 0; --n) {
      const int x0 = between(1, width), y0 = between(1, height);
      const int x1 = std::min(width, x0 + between(0, width)),
                y1 = std::min(height, y0 + between(0, height));
      const auto level = std::uint8_t(std::array{40, 90, 100, 110, 111, 255}[between(0, 5)]);
      for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) picture.setGray(x, y, level);
      }
    }
    return picture;
  }
  PixelBuffer noise(int width, int height) {
    PixelBuffer picture(width, height);
    const int whiteShare = between(0, 10);
    for (int y = 1; y <= height; ++y) {
      for (int x = 1; x <= width; ++x) {
        picture.setGray(x, y, std::uint8_t(between(0, 10) < whiteShare ? 255 : between(0, 255)));
      }
    }
    return picture;
  }
  double radius() {
    const double whole = between(0, 30);
    return between(0, 2) == 0 ? whole + between(1, 99) / 100.0 : whole;
  }

 private:
  std::mt19937 random_;
};

TEST(ReliefReferenceTest, FastMethodsTurnExactlyThePlainMethodsPixelsWhite) {
  Pictures make(4242);
  for (int i = 0; i < 240; ++i) {
    const double radius = i < 12 ? i % 3 : make.radius();
    // Mostly room for some pixels inside the frame; now and then a picture smaller than the disc.
    const int side = 2 * int(std::ceil(radius)) + 1;
    const bool small = i % 4 == 3;
    const int width = small ? make.between(1, side + 1) : make.between(side, side + 40);
    const int height = small ? make.between(1, side + 1) : make.between(side, side + 30);
    const PixelBuffer picture = i % 3 == 0   ? make.discs(width, height)
                                : i % 3 == 1 ? make.plateaus(width, height)
                                             : make.noise(width, height);
    SCOPED_TRACE(::testing::Message()
                 << "picture " << i << " " << width << "x" << height << " radius " << radius);
    ASSERT_EQ(EdgeBands(picture, radius), plain::EdgeBands(picture, radius));
    PixelBuffer fast = picture, slow = picture;
    const bool changed = figures::OffsetFigures(fast, radius);
    plain::OffsetFigures(slow, radius);
    ASSERT_EQ(fast, slow);
    EXPECT_EQ(changed, !(fast == picture));
  }
}

TEST(ReliefReferenceTest, AZeroCutterLeavesThePicturesAsTheyAre) {
  Pictures make(7);
  const PixelBuffer picture = make.noise(20, 20);
  EXPECT_EQ(EdgeBands(picture, 0), picture);
  PixelBuffer offset = picture;
  EXPECT_FALSE(figures::OffsetFigures(offset, 0));
  EXPECT_EQ(offset, picture);
}

TEST(ReliefReferenceTest, WithoutPureWhiteTheOffsetChangesNothing) {
  PixelBuffer picture(30, 30, 254);
  picture.setGray(15, 15, 0);
  EXPECT_FALSE(figures::OffsetFigures(picture, 3));
}

}  // namespace
}  // namespace vexa::milling
