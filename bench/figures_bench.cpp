// ParseFigures on 4000 x 3000 pictures: smoothed noise thresholded into many figures, the
// gepard photograph enlarged smoothly, fine noise (the worst case) and the photograph dithered
// to black and white. The plain reference on 400 x 300 versions of each gives the speed-up
// (compare ns_per_pixel); with OpenCV (VEXA_HAVE_OPENCV, see scripts/install-deps.sh --bench)
// cv::connectedComponents labels the dark pixels of the same pictures (8-connected, on one
// thread), and ParseFigures_over_cv_connectedComponents is ParseFigures' time over OpenCV's;
// ParseFigures_over_cv_both_classes is its time over OpenCV labelling the dark and then the light
// pixels.
// ParseFigures labels both classes, links them and builds the tree; OpenCV gets the dark pixels
// ready as its mask. "figures" counts the figures in use, "nodes"
// the nesting tree's nodes (figures the tree does not reach have none). ns_per_pixel is printed
// with a trailing "s" by the library.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "bench_opencv_main.h"
#include "bench_pictures.h"
#include "bench_timing.h"
#include "figures/parse_figures.h"
#include "figures/plain_figures.h"
#include "picture/pseudo_tone.h"

#ifdef VEXA_HAVE_OPENCV
#include <opencv2/imgproc.hpp>

#include "bench_opencv.h"
#endif

namespace {

using vexa::bench::Photograph;
using vexa::bench::Smoothly;
using vexa::figures::FigureData;
using vexa::figures::ParseFigures;
using vexa::picture::PixelBuffer;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kSmallWidth = 400;
constexpr int kSmallHeight = 300;

// Random levels on a grid one eighth of the picture, interpolated: blobs a few dozen pixels
// across, with holes and islands, thresholded by ParseFigures itself.
PixelBuffer SmoothedNoise(int width, int height) {
  const int gridWidth = width / 8;
  const int gridHeight = height / 8;
  std::mt19937 random(7);
  std::uniform_real_distribution<float> level(0, 255);
  std::vector<float> levels(static_cast<std::size_t>(gridWidth) * gridHeight);
  for (float& v : levels) v = level(random);
  return Smoothly(levels, gridWidth, gridHeight, width, height);
}

// Every pixel black or white at random: the worst case, runs of two pixels on average.
PixelBuffer FineNoise(int width, int height) {
  std::mt19937 random(11);
  PixelBuffer picture(width, height);
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) picture.setGray(x, y, (random() & 1) != 0 ? 255 : 0);
  }
  return picture;
}

// Kinds: 0 smoothed noise, 1 photograph, 2 fine noise, 3 dithered photograph; each made on
// first use.
const PixelBuffer& Picture(int kind, bool small) {
  static PixelBuffer pictures[4][2];
  PixelBuffer& picture = pictures[kind][small ? 1 : 0];
  if (picture.empty()) {
    const int width = small ? kSmallWidth : kWidth;
    const int height = small ? kSmallHeight : kHeight;
    switch (kind) {
      case 0:
        picture = SmoothedNoise(width, height);
        break;
      case 1:
        picture = Photograph(width, height);
        break;
      case 2:
        picture = FineNoise(width, height);
        break;
      default:
        picture = Photograph(width, height);
        vexa::picture::PseudoTone(picture);
        break;
    }
  }
  return picture;
}

#ifdef VEXA_HAVE_OPENCV
cv::Mat DarkPixels(const PixelBuffer& picture) {
  cv::Mat dark(picture.height(), picture.width(), CV_8U);
  for (int y = 1; y <= picture.height(); ++y) {
    for (int x = 1; x <= picture.width(); ++x) {
      dark.at<std::uint8_t>(y - 1, x - 1) = picture.gray(x, y) > 100 ? 0 : 255;
    }
  }
  return dark;
}

// The best of three 8-connected labellings of `mask` on one thread, in seconds.
double OpenCvSeconds(const cv::Mat& mask) {
  cv::Mat labels;
  return vexa::bench::OpenCvSeconds(1, 3,
                                    [&] { cv::connectedComponents(mask, labels, 8, CV_32S); });
}
#endif

void Describe(benchmark::State& state, const PixelBuffer& picture, const FigureData& data) {
  const double pixels = double(picture.width()) * picture.height();
  state.counters["ns_per_pixel"] = benchmark::Counter(
      pixels * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  int inUse = 0;
  for (int figure = 1; figure <= data.table.length(); ++figure) {
    inUse += data.table[figure].state != vexa::figures::kFree;
  }
  state.counters["figures"] = inUse;
  state.counters["nodes"] = data.tree.size();
  state.counters["links"] = data.links.FigureLinkCount();
}

// Arguments: the kind of picture; 0 full size, 1 the 400 x 300 version.
void BM_ParseFigures(benchmark::State& state) {
  const PixelBuffer& picture = Picture(int(state.range(0)), state.range(1) != 0);
  FigureData data;
  // A window parses again into memory it has: one untimed parse first, so that a single timed
  // iteration (a slow picture) is not the first touch of the working memory.
  ParseFigures(picture, data);
  double best = 1e9;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    ParseFigures(picture, data);
    benchmark::DoNotOptimize(data.map.at(1, 1));
    best = std::min(
        best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  Describe(state, picture, data);
#ifdef VEXA_HAVE_OPENCV
  if (state.range(1) == 0) {
    const cv::Mat dark = DarkPixels(picture);
    const double darkSeconds = OpenCvSeconds(dark);
    state.counters["ParseFigures_over_cv_connectedComponents"] = best / darkSeconds;
    // ParseFigures labels the light figures too: OpenCV labelling both classes is the part of
    // the parse the two share.
    state.counters["ParseFigures_over_cv_both_classes"] =
        best / (darkSeconds + OpenCvSeconds(255 - dark));
  }
#endif
}
BENCHMARK(BM_ParseFigures)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}})
    ->ArgNames({"kind", "small"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The first parse of a window: the map's 48 MB are fresh memory.
void BM_ParseFiguresFreshData(benchmark::State& state) {
  const PixelBuffer& picture = Picture(int(state.range(0)), false);
  for (auto _ : state) {
    FigureData data;
    ParseFigures(picture, data);
    benchmark::DoNotOptimize(data.map.at(1, 1));
  }
}
BENCHMARK(BM_ParseFiguresFreshData)
    ->DenseRange(0, 3)
    ->ArgName("kind")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_PlainReference(benchmark::State& state) {
  const PixelBuffer& picture = Picture(int(state.range(0)), true);
  for (auto _ : state) {
    auto plain = vexa::figures::plain::ParseFigures(picture);
    vexa::figures::FigureTree tree;
    vexa::figures::plain::BuildFigureTree(plain.links, plain.table, tree);
    benchmark::DoNotOptimize(tree.size());
  }
}
BENCHMARK(BM_PlainReference)
    ->DenseRange(0, 3)
    ->ArgName("kind")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

#ifdef VEXA_HAVE_OPENCV
// The dark pixels as OpenCV's foreground; labels 8-connected (OpenCV's default) and
// 4-connected, with OpenCV's own threads and with one. ParseFigures labels both classes, links
// them and builds the tree on top, on one thread.
void BM_OpenCvConnectedComponents(benchmark::State& state) {
  const PixelBuffer& picture = Picture(int(state.range(0)), false);
  cv::Mat dark(picture.height(), picture.width(), CV_8U);
  for (int y = 1; y <= picture.height(); ++y) {
    for (int x = 1; x <= picture.width(); ++x) {
      dark.at<std::uint8_t>(y - 1, x - 1) = picture.gray(x, y) > 100 ? 0 : 255;
    }
  }
  cv::Mat labels;
  int count = 0;
  const int threads = cv::getNumThreads();
  if (state.range(2) != 0) cv::setNumThreads(int(state.range(2)));
  for (auto _ : state) {
    count = cv::connectedComponents(dark, labels, int(state.range(1)), CV_32S);
    benchmark::DoNotOptimize(labels.data);
  }
  cv::setNumThreads(threads);
  state.counters["ns_per_pixel"] = benchmark::Counter(
      double(picture.width()) * picture.height() * 1e-9,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["labels"] = count;
}
BENCHMARK(BM_OpenCvConnectedComponents)
    ->ArgsProduct({{0, 1, 2, 3}, {8, 4}, {0, 1}})
    ->ArgNames({"kind", "connectivity", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
#endif

}  // namespace

VEXA_OPENCV_BENCHMARK_MAIN()
