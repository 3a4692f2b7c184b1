// The parts of the contour jobs: turns, contour starts and the "Все" order against the plain
// scans they replace, the tool mark against the plain disc test, the walk on generated pictures,
// and the width/height rule.

#include <gtest/gtest.h>

#include "figures/aspect_side.h"
#include "figures/contour_starts.h"
#include "figures/contour_trace.h"
#include "figures/direction.h"
#include "figures/figure_generators.h"
#include "figures/level_order.h"
#include "figures/parse_figures.h"
#include "figures/tool_mark.h"

namespace vexa::figures {
namespace {

TEST(DirectionTest, TurnsGoRoundTheEightDirectionsAndLeaveTheStillOneAlone) {
  const std::vector<Direction> clockwise = {{1, 0},  {1, 1},   {0, 1},  {-1, 1},
                                            {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
  for (std::size_t i = 0; i < clockwise.size(); ++i) {
    Direction d = clockwise[i];
    TurnClockwise(d);
    EXPECT_EQ(d, clockwise[(i + 1) % 8]);
    TurnCounterClockwise(d);
    TurnCounterClockwise(d);
    EXPECT_EQ(d, clockwise[(i + 7) % 8]);
  }
  Direction still{0, 0};
  TurnClockwise(still);
  TurnCounterClockwise(still);
  EXPECT_EQ(still, (Direction{0, 0}));
}

std::vector<picture::PixelBuffer> generatedPictures() {
  test::PictureGenerator generate(20261208);
  std::vector<picture::PixelBuffer> pictures;
  for (int i = 0; i < 60; ++i) {
    const int width = generate.between(1, 40);
    const int height = generate.between(1, 30);
    switch (i % 5) {
      case 0:
        pictures.push_back(generate.noise(width, height, 0.4));
        break;
      case 1:
        pictures.push_back(generate.rings(width, height));
        break;
      case 2:
        pictures.push_back(generate.blobs(width, height));
        break;
      case 3:
        pictures.push_back(generate.smoothed(width, height));
        break;
      default:
        pictures.push_back(generate.diagonals(width, height));
        break;
    }
  }
  return pictures;
}

// The plain start search: scan the rows from the top, each from the left.
std::optional<Pixel> plainStart(const FigureMap& map, std::int32_t figure, std::int32_t hole) {
  for (int y = 1; y <= map.height(); ++y) {
    for (int x = 1; x <= map.width(); ++x) {
      if (map.at(x, y) == figure && (hole == 0 || map.at(x, y + 1) == hole)) return Pixel{x, y};
    }
  }
  return std::nullopt;
}

TEST(ContourStartsTest, EqualThePlainScanForEveryFigureAndHole) {
  for (const picture::PixelBuffer& picture : generatedPictures()) {
    FigureData data;
    ParseFigures(picture, data);
    const ContourStarts starts(data.map);
    for (std::int32_t figure = 1; figure <= data.table.length(); ++figure) {
      EXPECT_EQ(starts.outer(figure), plainStart(data.map, figure, 0)) << figure;
    }
    for (const FigureLink& link : data.links.inUse()) {
      EXPECT_EQ(starts.aboveHole(link.parent, link.child),
                plainStart(data.map, link.parent, link.child));
    }
  }
}

TEST(LevelOrderTest, EqualsThePlainLevelByLevelScan) {
  for (const picture::PixelBuffer& picture : generatedPictures()) {
    FigureData data;
    ParseFigures(picture, data);
    std::vector<std::int32_t> plain;
    std::int32_t deepest = 0;
    for (std::int32_t f = 1; f <= data.table.length(); ++f) {
      if (data.table[f].state > 0 && data.table[f].colour == kDark) {
        deepest = std::max(deepest, data.table[f].level);
      }
    }
    FigureTable table = data.table;
    for (std::int32_t level = deepest; level >= 0; --level) {
      for (int y = 1; y <= data.map.height(); ++y) {
        for (int x = 1; x <= data.map.width(); ++x) {
          const std::int32_t n = data.map.at(x, y);
          if (table[n].state == kInUse && table[n].colour == kDark && table[n].level == level) {
            plain.push_back(n);
            table[n].state = kDone;
          }
        }
      }
    }
    EXPECT_EQ(DarkFiguresDeepestFirst(data.table, ContourStarts(data.map)), plain);
  }
}

TEST(ToolMarkTest, PaintsExactlyThePixelsOfThePlainDiscTest) {
  for (double radius : {0.0, 0.4, 1.0, 1.5, 2.0, 2.5, 3.3, 7.0, 12.75, 100.0}) {
    for (auto [x, y] : {std::pair{1, 1}, {5, 6}, {11, 9}, {0, 0}}) {
      picture::PixelBuffer painted(11, 9, 200);
      std::vector<std::size_t> changed;
      ToolMark(radius, 11, 9).paint(painted, x, y, &changed);
      const int reach = int(std::ceil(radius));
      std::size_t red = 0;
      for (int py = 1; py <= 9; ++py) {
        for (int px = 1; px <= 11; ++px) {
          const int i = px - x, j = py - y;
          const bool inDisc = std::abs(i) <= reach && std::abs(j) <= reach &&
                              double(i * i + j * j) <= radius * radius;
          const std::uint8_t* p = painted.pixel(px, py);
          EXPECT_EQ(p[0] == 0 && p[1] == 0 && p[2] == 255, inDisc)
              << "r " << radius << " at " << px << "," << py;
          red += inDisc;
        }
      }
      EXPECT_EQ(changed.size(), red) << "every newly red pixel is reported once";
    }
  }
}

TEST(ToolMarkTest, ARadiusFarBeyondThePicturePaintsAllOfIt) {
  // Chords longer than any integer square: the mark is still the whole picture, at once.
  for (double radius : {3e9, 3e19, 1e200}) {
    picture::PixelBuffer painted(11, 9, 200);
    ToolMark(radius, 11, 9).paint(painted, 5, 6);
    for (int py = 1; py <= 9; ++py) {
      for (int px = 1; px <= 11; ++px) {
        EXPECT_EQ(painted.pixel(px, py)[2], 255) << "r " << radius << " at " << px << "," << py;
      }
    }
  }
}

TEST(ContourTraceTest, EveryContourOfGeneratedPicturesClosesOnItsBoundary) {
  for (const picture::PixelBuffer& picture : generatedPictures()) {
    FigureData data;
    ParseFigures(picture, data);
    const ContourStarts starts(data.map);
    auto onFigure = [&](std::int32_t f, int x, int y) {
      return x >= 1 && y >= 1 && x <= data.map.width() && y <= data.map.height() &&
             data.map.at(x, y) == f;
    };
    auto traceFrom = [&](std::int32_t figure, std::optional<Pixel> start, Direction heading) {
      if (!start) return;
      bool offBoundary = false;
      const bool closed = TraceContour(
          data.map, figure, *start, heading, TraceTurn::Always, [&](Direction, Pixel reached) {
            bool edge = false;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
              edge |= !onFigure(figure, reached.x + dx, reached.y + dy);
            }
            offBoundary |= !onFigure(figure, reached.x, reached.y) || !edge;
          });
      EXPECT_TRUE(closed) << "figure " << figure;
      EXPECT_FALSE(offBoundary) << "figure " << figure;
    };
    for (std::int32_t figure = 1; figure <= data.table.length(); ++figure) {
      if (data.table[figure].state == kFree) continue;
      traceFrom(figure, starts.outer(figure), {1, 0});
      for (const FigureLink& link : data.links.inUse()) {
        if (link.parent == figure) {
          traceFrom(figure, starts.aboveHole(figure, link.child), {-1, 0});
        }
      }
    }
  }
}

TEST(AspectSideTest, KeepsTheProportionsInWholeMillimetres) {
  struct Case {
    const char* side;
    int along, across;
    std::optional<std::string> other;
  };
  const std::vector<Case> cases = {
      {"200", 300, 400, "150"},
      {"200", 301, 400, "150"},  // 60200 / 400, remainder dropped
      {"0,5", 5, 2, "1"},        // nearest(2,5) = 2 (ties to even), 2 / 2
      {"1.5", 5, 2, "4"},        // nearest(7,5) = 8
      {"-20", 10, 4, "-50"},
      {"abc", 10, 4, std::nullopt},
      {"200", 10, 0, std::nullopt},  // no picture
      {"9999999999", 10, 4, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(AspectSide(c.side, c.along, c.across), c.other) << c.side;
}

}  // namespace
}  // namespace vexa::figures
