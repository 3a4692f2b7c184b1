// The relief's picture work on 2000 x 2000: the edge bands ("Градиент") and the offset
// ("Отступить") at cutter radii 5, 20 and 50 pixels (the offset at diameters 10, 40, 100), against
// the plain window methods on 300 x 300 (ns_per_pixel compares them) and, with OpenCV
// (VEXA_HAVE_OPENCV), against cv::dilate + cv::erode with an elliptical kernel of the same size
// and cv::distanceTransform with a threshold, on one thread and on OpenCV's own.

#include <benchmark/benchmark.h>

#include "bench_pictures.h"
#include "figures/offset_figures.h"
#include "milling/edge_bands.h"
#include "milling/plain_relief.h"

#ifdef VEXA_HAVE_OPENCV
#include <opencv2/core/utility.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

using vexa::picture::PixelBuffer;

constexpr int kSide = 2000;
constexpr int kSmallSide = 300;

// The gepard photograph: gray steps everywhere for the edge bands.
const PixelBuffer& Photo(bool small) {
  static PixelBuffer pictures[2];
  PixelBuffer& picture = pictures[small ? 1 : 0];
  if (picture.empty()) {
    const int side = small ? kSmallSide : kSide;
    picture = vexa::bench::Photograph(side, side);
  }
  return picture;
}

// The photograph thresholded: dark areas on pure white, what the offset shrinks.
const PixelBuffer& Shapes(bool small) {
  static PixelBuffer pictures[2];
  PixelBuffer& picture = pictures[small ? 1 : 0];
  if (picture.empty()) {
    picture = Photo(small);
    for (int y = 1; y <= picture.height(); ++y) {
      for (int x = 1; x <= picture.width(); ++x) {
        picture.setGray(x, y, picture.gray(x, y) > 110 ? 255 : 0);
      }
    }
  }
  return picture;
}

void PerPixel(benchmark::State& state, const PixelBuffer& picture) {
  state.counters["ns_per_pixel"] = benchmark::Counter(
      double(picture.width()) * picture.height() * 1e-9,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_EdgeBands(benchmark::State& state) {
  const PixelBuffer& picture = Photo(false);
  for (auto _ : state) {
    PixelBuffer banded = vexa::milling::EdgeBands(picture, double(state.range(0)));
    benchmark::DoNotOptimize(banded.data());
  }
  PerPixel(state, picture);
}
BENCHMARK(BM_EdgeBands)
    ->Arg(5)
    ->Arg(20)
    ->Arg(50)
    ->ArgName("radius")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_OffsetFigures(benchmark::State& state) {
  const PixelBuffer& shapes = Shapes(false);
  PixelBuffer working;
  for (auto _ : state) {
    state.PauseTiming();
    working = shapes;
    state.ResumeTiming();
    benchmark::DoNotOptimize(vexa::figures::OffsetFigures(working, 2.0 * state.range(0)));
  }
  PerPixel(state, shapes);
}
BENCHMARK(BM_OffsetFigures)
    ->Arg(5)
    ->Arg(20)
    ->Arg(50)
    ->ArgName("radius")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_PlainEdgeBands(benchmark::State& state) {
  const PixelBuffer& picture = Photo(true);
  for (auto _ : state) {
    PixelBuffer banded = vexa::milling::plain::EdgeBands(picture, double(state.range(0)));
    benchmark::DoNotOptimize(banded.data());
  }
  PerPixel(state, picture);
}
BENCHMARK(BM_PlainEdgeBands)
    ->Arg(5)
    ->Arg(20)
    ->Arg(50)
    ->ArgName("radius")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_PlainOffsetFigures(benchmark::State& state) {
  PixelBuffer working = Shapes(true);
  for (auto _ : state) vexa::milling::plain::OffsetFigures(working, 2.0 * state.range(0));
  PerPixel(state, working);
}
BENCHMARK(BM_PlainOffsetFigures)
    ->Arg(5)
    ->Arg(20)
    ->Arg(50)
    ->ArgName("radius")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

#ifdef VEXA_HAVE_OPENCV
cv::Mat GrayMat(const PixelBuffer& picture) {
  cv::Mat gray(picture.height(), picture.width(), CV_8U);
  for (int y = 1; y <= picture.height(); ++y) {
    for (int x = 1; x <= picture.width(); ++x)
      gray.at<std::uint8_t>(y - 1, x - 1) = picture.gray(x, y);
  }
  return gray;
}

// The disc's maximum and minimum, which is what the edge bands compare against.
void BM_OpenCvDilateErode(benchmark::State& state) {
  const cv::Mat gray = GrayMat(Photo(false));
  const int r = int(state.range(0));
  const cv::Mat disc = cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(2 * r + 1, 2 * r + 1));
  const int threads = cv::getNumThreads();
  if (state.range(1) != 0) cv::setNumThreads(int(state.range(1)));
  cv::Mat highest, lowest;
  for (auto _ : state) {
    cv::dilate(gray, highest, disc);
    cv::erode(gray, lowest, disc);
    benchmark::DoNotOptimize(lowest.data);
  }
  cv::setNumThreads(threads);
}
BENCHMARK(BM_OpenCvDilateErode)
    ->ArgsProduct({{5, 20, 50}, {1, 0}})
    ->ArgNames({"radius", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The distance to the nearest white pixel, thresholded at the cutter diameter.
void BM_OpenCvDistanceOffset(benchmark::State& state) {
  const cv::Mat gray = GrayMat(Shapes(false));
  cv::Mat notWhite = gray != 255;
  const int threads = cv::getNumThreads();
  if (state.range(1) != 0) cv::setNumThreads(int(state.range(1)));
  cv::Mat distance, near;
  for (auto _ : state) {
    cv::distanceTransform(notWhite, distance, cv::DIST_L2, cv::DIST_MASK_PRECISE);
    cv::threshold(distance, near, 2.0 * state.range(0), 255, cv::THRESH_BINARY_INV);
    benchmark::DoNotOptimize(near.data);
  }
  cv::setNumThreads(threads);
}
BENCHMARK(BM_OpenCvDistanceOffset)
    ->ArgsProduct({{5, 20, 50}, {1, 0}})
    ->ArgNames({"radius", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
#endif

}  // namespace

BENCHMARK_MAIN();
