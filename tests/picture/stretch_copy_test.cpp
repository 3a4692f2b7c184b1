// Fitting: N = nearest(width / spot), M = nearest(N x H / W), and the resampling in which a
// reduction ANDs the dropped pixels into the kept ones and an enlargement repeats pixels.

#include "picture/stretch_copy.h"

#include <gtest/gtest.h>

#include "picture/fit_plan.h"
#include "picture_samples.h"

namespace vexa::picture {
namespace {

using Rows = std::vector<std::vector<int>>;

// The plain method: every target pixel ANDs its whole source block at once.
PixelBuffer plainStretch(const PixelBuffer& source, int width, int height) {
  PixelBuffer target(width, height);
  for (int j = 0; j < height; ++j) {
    const SourceSpan rows = SpanOf(j, source.height(), height);
    for (int i = 0; i < width; ++i) {
      const SourceSpan columns = SpanOf(i, source.width(), width);
      std::uint8_t value[3] = {255, 255, 255};
      for (int y = rows.first; y < rows.last; ++y) {
        for (int x = columns.first; x < columns.last; ++x) {
          for (int k = 0; k < 3; ++k) value[k] &= source.pixel(x + 1, y + 1)[k];
        }
      }
      target.setColor(i + 1, j + 1, value[0], value[1], value[2]);
    }
  }
  return target;
}

TEST(SpanOf, ReductionTilesTheSourceEnlargementRepeats) {
  // 5 -> 2: a(0) = 0, a(1) = 2, a(2) = 5
  EXPECT_EQ(SpanOf(0, 5, 2).first, 0);
  EXPECT_EQ(SpanOf(0, 5, 2).last, 2);
  EXPECT_EQ(SpanOf(1, 5, 2).first, 2);
  EXPECT_EQ(SpanOf(1, 5, 2).last, 5);
  // 2 -> 5: floor(i x 2 / 5) = 0 0 0 1 1, one source pixel each
  for (int i : {0, 1, 2}) EXPECT_EQ(SpanOf(i, 2, 5).first, 0);
  for (int i : {3, 4}) EXPECT_EQ(SpanOf(i, 2, 5).first, 1);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(SpanOf(i, 2, 5).last, SpanOf(i, 2, 5).first + 1);
}

TEST(StretchCopy, GoldenReduction) {
  // Worked by hand: columns {1,2} {3,4,5}, rows {1} {2,3}. 200 & 100 = 64, 250 & 15 = 10.
  const PixelBuffer source = test::GrayPicture({
      {200, 100, 255, 255, 255},
      {255, 255, 250, 255, 15},
      {255, 255, 255, 255, 255},
  });
  EXPECT_EQ(test::Levels(StretchCopy(source, 2, 2)), (Rows{{64, 255}, {255, 10}}));
}

TEST(StretchCopy, GoldenEnlargementRepeatsPixels) {
  const PixelBuffer source = test::GrayPicture({{10, 20}, {30, 40}});
  EXPECT_EQ(test::Levels(StretchCopy(source, 5, 3)), (Rows{
                                                         {10, 10, 10, 20, 20},
                                                         {10, 10, 10, 20, 20},
                                                         {30, 30, 30, 40, 40},
                                                     }));
}

TEST(StretchCopy, SameSizeIsAnExactCopy) {
  const PixelBuffer source = test::NoisePicture(9, 4, 7);
  EXPECT_EQ(StretchCopy(source, 9, 4), source);
}

TEST(StretchCopy, AOnePixelBlackLineSurvivesAReduction) {
  for (int line : {1, 2, 777, 1234, 4000}) {
    PixelBuffer source(4000, 300, 230);
    for (int y = 1; y <= 300; ++y) source.setGray(line, y, 0);
    const PixelBuffer fitted = StretchCopy(source, 1000, 75);
    const int column = (line - 1) * 1000 / 4000 + 1;
    for (int y = 1; y <= 75; ++y) {
      ASSERT_EQ(fitted.gray(column, y), 0) << "line " << line << " row " << y;
    }
    EXPECT_EQ(fitted.gray(column == 1 ? 2 : 1, 1), 230);
  }
  PixelBuffer across(500, 4000, 255);
  for (int x = 1; x <= 500; ++x) across.setGray(x, 2001, 0);
  const PixelBuffer fitted = StretchCopy(across, 100, 13);
  for (int x = 1; x <= 100; ++x) EXPECT_EQ(fitted.gray(x, 2000 * 13 / 4000 + 1), 0);
}

TEST(StretchCopy, MatchesThePlainMethodOnManyPictures) {
  std::uint32_t seed = 1;
  for (int round = 0; round < 60; ++round) {
    seed = seed * 1103515245u + 12345u;
    const int width = 1 + static_cast<int>(seed >> 8) % 37;
    const int height = 1 + static_cast<int>(seed >> 16) % 29;
    const int targetWidth = 1 + static_cast<int>(seed >> 4) % 41;
    const int targetHeight = 1 + static_cast<int>(seed >> 12) % 33;
    const PixelBuffer source = test::NoisePicture(width, height, seed);
    ASSERT_EQ(StretchCopy(source, targetWidth, targetHeight),
              plainStretch(source, targetWidth, targetHeight))
        << width << "x" << height << " -> " << targetWidth << "x" << targetHeight;
  }
}

TEST(PlanFit, OnePixelPerSpotAcrossTheTargetWidth) {
  const FitPlan plan = PlanFit(200, 0.2, 400, 300);
  ASSERT_EQ(plan.status, FitPlan::Status::Ok);
  EXPECT_EQ(plan.across, 1000);
  EXPECT_EQ(plan.down, 750);
  const PixelBuffer fitted = FitPicture(PixelBuffer(400, 300), plan);
  EXPECT_EQ(fitted.width(), 1000);
  EXPECT_EQ(fitted.height(), 750);
}

TEST(PlanFit, RowsRoundHalvesToEven) {
  EXPECT_EQ(PlanFit(5, 1, 2, 1).down, 2);  // 2.5
  EXPECT_EQ(PlanFit(7, 1, 2, 1).down, 4);  // 3.5
  EXPECT_EQ(PlanFit(200, 0.3, 1, 1).across, 667);
}

TEST(PlanFit, RefusesSizesNoPictureCanHave) {
  EXPECT_EQ(PlanFit(0, 0.2, 400, 300).status, FitPlan::Status::BadNumbers);
  EXPECT_EQ(PlanFit(200, 0, 400, 300).status, FitPlan::Status::BadNumbers);
  EXPECT_EQ(PlanFit(-200, 0.2, 400, 300).status, FitPlan::Status::BadNumbers);
  EXPECT_EQ(PlanFit(200, 0.2, 0, 0).status, FitPlan::Status::BadNumbers);
  EXPECT_EQ(PlanFit(0.05, 0.2, 400, 300).status, FitPlan::Status::BadSize);  // N = 0
  EXPECT_EQ(PlanFit(200, 0.2, 100000, 1).status, FitPlan::Status::BadSize);  // M = 0
  const FitPlan huge = PlanFit(1e6, 0.001, 400, 300);
  EXPECT_EQ(huge.status, FitPlan::Status::BadSize);
  EXPECT_EQ(huge.across, 1e9);
  EXPECT_EQ(PlanFit(20000, 1, 1, 1).status, FitPlan::Status::BadSize);  // 20000 x 20000
}

}  // namespace
}  // namespace vexa::picture
