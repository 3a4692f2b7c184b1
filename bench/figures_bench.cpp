// ParseFigures on 4000 x 3000 pictures: smoothed noise thresholded into many figures, the
// gepard photograph enlarged smoothly, and fine noise (the worst case). The plain reference on
// 400 x 300 versions of each gives the speed-up; with OpenCV (VEXA_HAVE_OPENCV)
// cv::connectedComponents labels the dark pixels of the same pictures for comparison. The counter
// ns_per_pixel is printed with a trailing "s" by the library.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "figures/parse_figures.h"
#include "figures/plain_figures.h"
#include "picture/gray_picture.h"
#include "picture/qt_codec.h"

#ifdef VEXA_HAVE_OPENCV
#include <opencv2/core/utility.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

using vexa::figures::FigureData;
using vexa::figures::ParseFigures;
using vexa::picture::PixelBuffer;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kSmallWidth = 400;
constexpr int kSmallHeight = 300;

// Gray levels sampled from `levels` (gridWidth x gridHeight) with bilinear interpolation.
PixelBuffer Smoothly(const std::vector<float>& levels, int gridWidth, int gridHeight, int width,
                     int height) {
  PixelBuffer picture = PixelBuffer::ForOverwrite(width, height);
  for (int y = 1; y <= height; ++y) {
    const double gy = (y - 0.5) * gridHeight / height - 0.5;
    const int y0 = std::clamp(static_cast<int>(std::floor(gy)), 0, gridHeight - 1);
    const int y1 = std::min(y0 + 1, gridHeight - 1);
    const double fy = std::clamp(gy - y0, 0.0, 1.0);
    std::uint8_t* row = picture.row(y);
    for (int x = 1; x <= width; ++x) {
      const double gx = (x - 0.5) * gridWidth / width - 0.5;
      const int x0 = std::clamp(static_cast<int>(std::floor(gx)), 0, gridWidth - 1);
      const int x1 = std::min(x0 + 1, gridWidth - 1);
      const double fx = std::clamp(gx - x0, 0.0, 1.0);
      auto at = [&](int i, int j) { return levels[static_cast<std::size_t>(j) * gridWidth + i]; };
      const double top = at(x0, y0) * (1 - fx) + at(x1, y0) * fx;
      const double bottom = at(x0, y1) * (1 - fx) + at(x1, y1) * fx;
      const auto level = static_cast<std::uint8_t>(std::lround(top * (1 - fy) + bottom * fy));
      std::uint8_t* p = row + (x - 1) * 3;
      p[0] = p[1] = p[2] = level;
    }
  }
  return picture;
}

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

// gepard2.jpg beside the executables (the application's build copies it there), else in the
// source tree's resources.
std::filesystem::path GepardPath() {
  const auto beside = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "gepard2.jpg";
  if (std::filesystem::exists(beside)) return beside;
  return std::filesystem::path(__FILE__).parent_path().parent_path() / "resources" / "gepard2.jpg";
}

PixelBuffer Photograph(int width, int height) {
  const PixelBuffer photo =
      vexa::picture::Gray32Picture(vexa::picture::LoadPictureFile(GepardPath()));
  std::vector<float> levels(static_cast<std::size_t>(photo.width()) * photo.height());
  for (int y = 1; y <= photo.height(); ++y) {
    for (int x = 1; x <= photo.width(); ++x) {
      levels[static_cast<std::size_t>(y - 1) * photo.width() + x - 1] = photo.gray(x, y);
    }
  }
  return Smoothly(levels, photo.width(), photo.height(), width, height);
}

// Kinds: 0 smoothed noise, 1 photograph, 2 fine noise; each made on first use.
const PixelBuffer& Picture(int kind, bool small) {
  static PixelBuffer pictures[3][2];
  PixelBuffer& picture = pictures[kind][small ? 1 : 0];
  if (picture.empty()) {
    const int width = small ? kSmallWidth : kWidth;
    const int height = small ? kSmallHeight : kHeight;
    picture = kind == 0   ? SmoothedNoise(width, height)
              : kind == 1 ? Photograph(width, height)
                          : FineNoise(width, height);
  }
  return picture;
}

void Describe(benchmark::State& state, const PixelBuffer& picture, const FigureData& data) {
  const double pixels = double(picture.width()) * picture.height();
  state.counters["ns_per_pixel"] = benchmark::Counter(
      pixels * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["figures"] = data.tree.size();
  state.counters["links"] = data.links.FigureLinkCount();
}

// Arguments: the kind of picture; 0 full size, 1 the 400 x 300 version.
void BM_ParseFigures(benchmark::State& state) {
  const PixelBuffer& picture = Picture(int(state.range(0)), state.range(1) != 0);
  FigureData data;
  for (auto _ : state) {
    ParseFigures(picture, data);
    benchmark::DoNotOptimize(data.map.at(1, 1));
  }
  Describe(state, picture, data);
}
BENCHMARK(BM_ParseFigures)
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
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
    ->DenseRange(0, 2)
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
    ->DenseRange(0, 2)
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
    ->ArgsProduct({{0, 1, 2}, {8, 4}, {0, 1}})
    ->ArgNames({"kind", "connectivity", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
#endif

}  // namespace

BENCHMARK_MAIN();
