// The fast figure extraction and tree against the plain reference on thousands of generated
// pictures: the same map, table, links, tree and levels, number for number.

#include <gtest/gtest.h>

#include "figure_generators.h"
#include "figures/parse_figures.h"
#include "plain_figures.h"

namespace vexa::figures {
namespace {

using test::PictureGenerator;

std::string describeTree(const FigureTree& tree) {
  std::string text;
  for (const FigureTreeNode& node : tree.nodes()) {
    const int parent = node.parent < 0 ? 0 : tree.node(node.parent).figure;
    text += std::to_string(parent) + ">" + node.text() + "@" + std::to_string(node.level) + " ";
  }
  return text;
}

// Returns an empty string when both methods agree, else what differs. With `reused`, the fast
// method parses into it, as a window parses every picture into the same data: nothing left from
// the pictures before may show.
std::string compareWithPlain(const picture::PixelBuffer& picture, FigureData* reused = nullptr) {
  plain::PlainFigures expected = plain::ParseFigures(picture);
  FigureTree expectedTree;
  plain::BuildFigureTree(expected.links, expected.table, expectedTree);

  FigureData own;
  FigureData& fast = reused != nullptr ? *reused : own;
  ParseFigures(picture, fast);
  if (!(fast.map == expected.map)) return "map";
  if (!(fast.table == expected.table)) return "table";
  if (!(fast.links == expected.links)) return "links";
  if (describeTree(fast.tree) != describeTree(expectedTree)) {
    return "tree " + describeTree(fast.tree) + " vs " + describeTree(expectedTree);
  }
  return {};
}

std::string drawn(const picture::PixelBuffer& picture) {
  std::string text = "\n";
  for (int y = 1; y <= picture.height(); ++y) {
    for (int x = 1; x <= picture.width(); ++x) text += picture.gray(x, y) > 100 ? '.' : '#';
    text += '\n';
  }
  return text;
}

// Every other picture is parsed into data that parsed the ones before.
template <typename Make>
void compareMany(std::uint32_t seed, int count, int maxWidth, int maxHeight, Make make) {
  PictureGenerator generator(seed);
  FigureData reused;
  for (int i = 0; i < count; ++i) {
    const int width = generator.between(1, maxWidth);
    const int height = generator.between(1, maxHeight);
    const picture::PixelBuffer picture = make(generator, width, height);
    const std::string difference = compareWithPlain(picture, i % 2 == 1 ? &reused : nullptr);
    ASSERT_EQ(difference, "") << "picture " << i << drawn(picture);
  }
}

TEST(ParseFiguresAgainstPlain, NoiseOfSeveralDensities) {
  for (const double share : {0.05, 0.2, 0.4, 0.5, 0.6, 0.8, 0.95}) {
    compareMany(11, 600, 24, 20,
                [share](PictureGenerator& g, int w, int h) { return g.noise(w, h, share); });
  }
}

TEST(ParseFiguresAgainstPlain, WideRowsAcrossTheBlocksOfSixtyFourPixels) {
  compareMany(21, 300, 200, 8,
              [](PictureGenerator& g, int w, int h) { return g.noise(std::max(w, 15), h, 0.5); });
  compareMany(22, 200, 140, 10,
              [](PictureGenerator& g, int w, int h) { return g.noise(std::max(w, 60), h, 0.1); });
}

TEST(ParseFiguresAgainstPlain, LevelsAroundTheThreshold) {
  compareMany(12, 300, 80, 12,
              [](PictureGenerator& g, int w, int h) { return g.nearThreshold(w, h); });
}

TEST(ParseFiguresAgainstPlain, OnlyTheBlueByteDecides) {
  compareMany(23, 300, 80, 12,
              [](PictureGenerator& g, int w, int h) { return g.colourNoise(w, h); });
}

TEST(ParseFiguresAgainstPlain, NestedRings) {
  compareMany(13, 500, 40, 40, [](PictureGenerator& g, int w, int h) { return g.rings(w, h); });
}

TEST(ParseFiguresAgainstPlain, Diagonals) {
  compareMany(14, 500, 40, 30, [](PictureGenerator& g, int w, int h) { return g.diagonals(w, h); });
}

TEST(ParseFiguresAgainstPlain, ShapesTouchingTheEdges) {
  compareMany(15, 500, 40, 30, [](PictureGenerator& g, int w, int h) { return g.blobs(w, h); });
}

TEST(ParseFiguresAgainstPlain, SmoothedNoise) {
  compareMany(16, 400, 64, 48, [](PictureGenerator& g, int w, int h) { return g.smoothed(w, h); });
}

TEST(ParseFiguresAgainstPlain, DitheredPictures) {
  compareMany(24, 300, 80, 60, [](PictureGenerator& g, int w, int h) { return g.dithered(w, h); });
  compareMany(25, 40, 400, 12,
              [](PictureGenerator& g, int w, int h) { return g.dithered(std::max(w, 130), h); });
}

TEST(ParseFiguresAgainstPlain, MoreThanAHundredLiveFigures) {
  compareMany(17, 40, 500, 6,
              [](PictureGenerator& g, int w, int h) { return g.dots(std::max(w, 250), h); });
  compareMany(18, 20, 60, 60, [](PictureGenerator& g, int w, int h) {
    return g.dots(std::max(w, 30), std::max(h, 30));
  });
}

TEST(ParseFiguresAgainstPlain, AllLightAllDarkAndThinPictures) {
  for (int width = 1; width <= 5; ++width) {
    for (int height = 1; height <= 5; ++height) {
      EXPECT_EQ(compareWithPlain(picture::PixelBuffer(width, height, 255)), "");
      EXPECT_EQ(compareWithPlain(picture::PixelBuffer(width, height, 0)), "");
    }
  }
  compareMany(19, 300, 40, 1, [](PictureGenerator& g, int w, int h) { return g.noise(w, h, 0.5); });
  compareMany(20, 300, 1, 40, [](PictureGenerator& g, int w, int h) { return g.noise(w, h, 0.5); });
}

}  // namespace
}  // namespace vexa::figures
