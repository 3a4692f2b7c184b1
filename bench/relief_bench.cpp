// The relief's picture work on 2000 x 2000: the edge bands ("Градиент") and the offset
// ("Отступить") at cutter radii 5, 20 and 50 pixels (the offset at diameters 10, 40, 100), against
// the plain window methods on 300 x 300 (ratio_to_plain: time per pixel over the plain one's)
// and, with OpenCV (VEXA_HAVE_OPENCV), against cv::dilate + cv::erode with an elliptical kernel
// of the same size and cv::distanceTransform with a threshold (ratio_to_opencv, one thread; the
// OpenCV rows also show it on its own threads).

#include <benchmark/benchmark.h>

#include "bench_pictures.h"
#include "bench_timing.h"
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

double PerPixelSeconds(double seconds, const PixelBuffer& picture) {
  return seconds / (double(picture.width()) * picture.height());
}

#ifdef VEXA_HAVE_OPENCV
cv::Mat GrayMat(const PixelBuffer& picture);
double OpenCvDilateErodeSeconds(int radius, int threads);
double OpenCvDistanceOffsetSeconds(int radius, int threads);
#endif

void BM_EdgeBands(benchmark::State& state) {
  const PixelBuffer& picture = Photo(false);
  const double radius = double(state.range(0));
  double best = 1e300;
  for (auto _ : state) {
    PixelBuffer banded;
    best = std::min(best, vexa::bench::BestSeconds(
                              1, [&] { banded = vexa::milling::EdgeBands(picture, radius); }));
    benchmark::DoNotOptimize(banded.data());
  }
  PerPixel(state, picture);
  const PixelBuffer& small = Photo(true);
  const double plain =
      vexa::bench::BestSeconds(1, [&] { vexa::milling::plain::EdgeBands(small, radius); });
  state.counters["ratio_to_plain"] = PerPixelSeconds(best, picture) / PerPixelSeconds(plain, small);
#ifdef VEXA_HAVE_OPENCV
  state.counters["ratio_to_opencv"] = best / OpenCvDilateErodeSeconds(int(state.range(0)), 1);
#endif
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
  const double diameter = 2.0 * state.range(0);
  PixelBuffer working;
  double best = 1e300;
  for (auto _ : state) {
    state.PauseTiming();
    working = shapes;
    state.ResumeTiming();
    best = std::min(best, vexa::bench::BestSeconds(1, [&] {
                      benchmark::DoNotOptimize(vexa::figures::OffsetFigures(working, diameter));
                    }));
  }
  PerPixel(state, shapes);
  PixelBuffer small = Shapes(true);
  const double plain =
      vexa::bench::BestSeconds(1, [&] { vexa::milling::plain::OffsetFigures(small, diameter); });
  state.counters["ratio_to_plain"] =
      PerPixelSeconds(best, shapes) / PerPixelSeconds(plain, Shapes(true));
#ifdef VEXA_HAVE_OPENCV
  state.counters["ratio_to_opencv"] = best / OpenCvDistanceOffsetSeconds(int(state.range(0)), 1);
#endif
}
BENCHMARK(BM_OffsetFigures)
    ->Arg(5)
    ->Arg(20)
    ->Arg(50)
    ->ArgName("radius")
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

// The best of two runs of `work` on `threads` of OpenCV's (0: as many as it likes).
template <class Work>
double OpenCvSeconds(int threads, Work work) {
  const int before = cv::getNumThreads();
  if (threads != 0) cv::setNumThreads(threads);
  const double seconds = vexa::bench::BestSeconds(2, work);
  cv::setNumThreads(before);
  return seconds;
}

// The disc's maximum and minimum, which is what the edge bands compare against.
double OpenCvDilateErodeSeconds(int radius, int threads) {
  const cv::Mat gray = GrayMat(Photo(false));
  const cv::Mat disc =
      cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(2 * radius + 1, 2 * radius + 1));
  cv::Mat highest, lowest;
  return OpenCvSeconds(threads, [&] {
    cv::dilate(gray, highest, disc);
    cv::erode(gray, lowest, disc);
  });
}

// The distance to the nearest white pixel, thresholded at the cutter diameter.
double OpenCvDistanceOffsetSeconds(int radius, int threads) {
  const cv::Mat gray = GrayMat(Shapes(false));
  const cv::Mat notWhite = gray != 255;
  cv::Mat distance, near;
  return OpenCvSeconds(threads, [&] {
    cv::distanceTransform(notWhite, distance, cv::DIST_L2, cv::DIST_MASK_PRECISE);
    cv::threshold(distance, near, 2.0 * radius, 255, cv::THRESH_BINARY_INV);
  });
}

// Arguments: the radius, and OpenCV's threads (1, or 0 for its own choice).
void BM_OpenCv(benchmark::State& state, double (*seconds)(int radius, int threads)) {
  for (auto _ : state) {
    state.SetIterationTime(seconds(int(state.range(0)), int(state.range(1))));
  }
}
BENCHMARK_CAPTURE(BM_OpenCv, DilateErode, OpenCvDilateErodeSeconds)
    ->ArgsProduct({{5, 20, 50}, {1, 0}})
    ->ArgNames({"radius", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_OpenCv, DistanceOffset, OpenCvDistanceOffsetSeconds)
    ->ArgsProduct({{5, 20, 50}, {1, 0}})
    ->ArgNames({"radius", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
#endif

}  // namespace

BENCHMARK_MAIN();
