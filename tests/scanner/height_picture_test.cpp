// From readings to gray: scaling the mesh, the cubic interpolation between the grid nodes, and
// what the preview box shows (grid, crosses, height picture).

#include "scanner/height_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>

#include "scanner/scan_preview.h"

namespace vexa::scanner {
namespace {

HeightMesh MeshOf(int nx, int ny, const std::function<double(int, int)>& f) {
  HeightMesh mesh(nx, ny);
  for (int r = 1; r <= ny; ++r) {
    for (int c = 1; c <= nx; ++c) mesh.at(c, r) = static_cast<std::int32_t>(f(c, r));
  }
  return mesh;
}

TEST(ScaleMesh, SpreadsTheReadingsOverTheGrayLevels) {
  HeightMesh mesh(3, 1);
  mesh.at(1, 1) = 40;
  mesh.at(2, 1) = 60;
  mesh.at(3, 1) = 50;
  ScaleMesh(mesh);
  EXPECT_EQ(mesh.at(1, 1), 0);
  EXPECT_EQ(mesh.at(2, 1), 255);
  EXPECT_EQ(mesh.at(3, 1), 128);  // 127.5, ties to even

  HeightMesh flat = MeshOf(2, 3, [](int, int) { return 77; });
  ScaleMesh(flat);
  EXPECT_EQ(flat, MeshOf(2, 3, [](int, int) { return 0; })) << "no spread, no division by 0";

  HeightMesh high = MeshOf(2, 1, [](int c, int) { return 2000 + 1000 * c; });
  ScaleMesh(high);
  EXPECT_EQ(high.at(1, 1), 0) << "readings above 2000 still reach 0";
  EXPECT_EQ(high.at(2, 1), 255);
}

struct Surface {
  const char* name;
  std::function<double(double u, double v)> f;  // height at grid position (u, v)
};

class HeightAtSurfaces : public ::testing::TestWithParam<Surface> {};

// Grid positions u = i / dx + 1 fall between and beyond the middle of the stencil; a cubic
// through four points of a line or a parabola is that line or parabola everywhere.
TEST_P(HeightAtSurfaces, ReproducesLinesAndParabolasExactly) {
  const auto& f = GetParam().f;
  const HeightMesh mesh = MeshOf(6, 5, [&](int c, int r) { return f(c, r); });
  const int width = 200, height = 200;  // dx = 40, dy = 50
  for (int i = 0; i <= width; i += 5) {
    for (int j = 0; j <= height; j += 5) {
      const double u = i / 40.0 + 1, v = j / 50.0 + 1;
      EXPECT_NEAR(InterpolatedHeight(mesh, width, height, i, j), f(u, v), 1e-9)
          << GetParam().name << " at " << i << ", " << j;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Mesh, HeightAtSurfaces,
    ::testing::Values(Surface{"rising along X", [](double u, double) { return 20 * u; }},
                      Surface{"plane", [](double u, double v) { return 30 * u - 12 * v + 100; }},
                      Surface{"parabola", [](double u, double) { return 4 * (u - 3) * (u - 3); }},
                      Surface{"saddle",
                              [](double u, double v) { return u * u - v * v + 3 * u * v; }}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST(HeightAt, GridNodesTakeTheMeshValues) {
  const HeightMesh mesh = MeshOf(6, 5, [](int c, int r) { return (c * 37 + r * 91) % 256; });
  for (const auto& [width, height] : {std::pair{200, 200}, std::pair{275, 100}, std::pair{5, 4}}) {
    for (int r = 1; r <= 5; ++r) {
      for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(HeightAt(mesh, width, height, (c - 1) * width / 5, (r - 1) * height / 4),
                  mesh.at(c, r))
            << width << " x " << height << " node " << c << ", " << r;
      }
    }
  }
  // nx = 6, W = 200: picture column 40 is grid column 2 (u = 2), column 200 grid column 6.
  const HeightMesh columns = MeshOf(6, 4, [](int c, int) { return c * c * 7; });
  EXPECT_EQ(HeightAt(columns, 200, 90, 40, 17), 28);
  EXPECT_EQ(HeightAt(columns, 200, 90, 200, 90), 252);
}

TEST(InterpolateHeightPicture, LimitsTheGrayAndDrawsFromBoxPixelTenOn) {
  // A steep step overshoots on both sides between the nodes.
  const HeightMesh step = MeshOf(6, 4, [](int c, int) { return c <= 3 ? 0 : 255; });
  picture::PixelBuffer box(222, 222, 7);
  InterpolateHeightPicture(step, 200, 200, box);
  EXPECT_EQ(box.gray(9, 10), 7) << "the margin stays";
  EXPECT_EQ(box.gray(10, 9), 7);
  EXPECT_EQ(box.gray(210, 210), 255);  // picture pixel (200, 200)
  EXPECT_EQ(box.gray(211, 211), 7);    // beyond W and H
  int lowest = 255, highest = 0;
  for (int i = 0; i <= 200; ++i) {
    const double exact = InterpolatedHeight(step, 200, 200, i, 0);
    lowest = std::min<int>(lowest, static_cast<int>(exact));
    highest = std::max<int>(highest, static_cast<int>(exact));
    const int expected = std::clamp(HeightAt(step, 200, 200, i, 0), 0, 255);
    ASSERT_EQ(box.gray(i + 10, 10), expected) << i;
  }
  EXPECT_TRUE(box.isGray());
  EXPECT_LT(lowest, 0);
  EXPECT_GT(highest, 255);

  picture::PixelBuffer small(100, 100, 7);  // a picture size not yet applied to the box
  InterpolateHeightPicture(step, 200, 200, small);
  EXPECT_EQ(small.gray(100, 100), std::clamp(HeightAt(step, 200, 200, 90, 90), 0, 255));
}

TEST(InterpolateHeightPicture, AgreesWithHeightAtAtEveryPixel) {
  std::uint32_t seed = 7;
  const HeightMesh mesh = MeshOf(7, 9, [&](int, int) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<double>(seed >> 24);
  });
  picture::PixelBuffer box(57 + kBoxMargin, 43 + kBoxMargin);
  InterpolateHeightPicture(mesh, 57, 43, box);
  for (int i = 0; i <= 57; ++i) {
    for (int j = 0; j <= 43; ++j) {
      ASSERT_EQ(box.gray(i + 10, j + 10), std::clamp(HeightAt(mesh, 57, 43, i, j), 0, 255))
          << i << ", " << j;
    }
  }
}

TEST(InterpolationProblem, NeedsAScanWithFourPointsEachWay) {
  EXPECT_EQ(InterpolationProblem(HeightMesh()), kNoScanText);
  EXPECT_EQ(InterpolationProblem(HeightMesh(2, 5)), kSmallMeshText);
  EXPECT_EQ(InterpolationProblem(HeightMesh(6, 3)), kSmallMeshText);
  EXPECT_EQ(InterpolationProblem(HeightMesh(4, 5)), std::nullopt);
}

TEST(ScanPreview, GridLinesNodesAndScanPoints) {
  ScanPreview preview(222, 222);
  preview.DrawGrid(6, 5);  // steps 40 and 50
  const picture::PixelBuffer& image = preview.image();
  EXPECT_EQ(image.width(), 222);
  EXPECT_EQ(image.gray(30, 10), kGridLineGray);   // row 1
  EXPECT_EQ(image.gray(205, 60), kGridLineGray);  // row 2 near its right end
  EXPECT_EQ(image.gray(50, 35), kGridLineGray);   // column 2
  EXPECT_EQ(image.gray(212, 60), 255);
  EXPECT_EQ(image.gray(30, 30), 255);
  for (const auto& [x, y] : {std::pair{10, 10}, {9, 10}, {11, 10}, {10, 9}, {10, 11}, {210, 210}}) {
    EXPECT_EQ(image.gray(x, y), 0) << x << ", " << y;
  }
  EXPECT_EQ(image.gray(9, 9), 255);

  preview.DrawScanPoint(2, 3, 300, 6, 5);  // a reading above 255 draws white, never wraps
  EXPECT_EQ(image.gray(50, 110), 255);
  EXPECT_EQ(image.gray(51, 110), 255);
  preview.DrawScanPoint(2, 3, 90, 6, 5);
  EXPECT_EQ(image.gray(50, 109), 90);
  EXPECT_TRUE(image.isGray());

  preview.setBoxSize(300, 80);
  preview.DrawGrid(1, 0);  // a mesh field without a usable number: nothing to step
  EXPECT_EQ(preview.image().width(), 300);
  EXPECT_EQ(preview.image().gray(10, 10), 255);
  EXPECT_EQ(GridStep(300, 6), 55);
  EXPECT_EQ(GridStep(20, 6), 0);
}

}  // namespace
}  // namespace vexa::scanner
