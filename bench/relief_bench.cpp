// The relief's picture work on 2000 x 2000: the edge bands ("Градиент") and the offset
// ("Отступить") at cutter radii 5, 20 and 50 pixels (the offset at diameters 10, 40, 100), against
// the plain window methods on 300 x 300 (EdgeBands_over_plain, OffsetFigures_over_plain: time per
// pixel over the plain one's) and, with OpenCV (VEXA_HAVE_OPENCV), against OpenCV doing the same
// job from the 24-bit picture to the 24-bit picture on one thread: for the edge bands
// cv::dilate + cv::erode with the very disc the bands use (a kernel of the same row chords), the
// comparison with each pixel's own level and the white written (EdgeBands_over_cv_dilate_erode);
// for the offset cv::distanceTransform, the threshold and the white written
// (OffsetFigures_over_cv_distanceTransform). pixels_unlike_cv counts the pixels where OpenCV's
// picture differs from ours (0: both did the same). The OpenCV rows also show OpenCV on its own
// threads.

#include <benchmark/benchmark.h>

#include "bench_opencv_main.h"
#include "bench_pictures.h"
#include "bench_timing.h"
#include "figures/disc_chords.h"
#include "figures/offset_figures.h"
#include "milling/edge_bands.h"
#include "milling/plain_relief.h"

#ifdef VEXA_HAVE_OPENCV
#include <opencv2/imgproc.hpp>

#include "bench_opencv.h"
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

// Pixels (any of their bytes) where the two pictures differ.
int UnlikePixels(const PixelBuffer& a, const PixelBuffer& b) {
  int unlike = 0;
  for (int y = 1; y <= a.height(); ++y) {
    for (int x = 1; x <= a.width(); ++x) {
      const std::uint8_t* p = a.pixel(x, y);
      const std::uint8_t* q = b.pixel(x, y);
      unlike += p[0] != q[0] || p[1] != q[1] || p[2] != q[2];
    }
  }
  return unlike;
}

#ifdef VEXA_HAVE_OPENCV
struct OpenCvRun {
  double seconds;
  PixelBuffer result;
};
OpenCvRun OpenCvEdgeBands(int radius, int threads);
OpenCvRun OpenCvOffset(int radius, int threads);
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
  state.counters["EdgeBands_over_plain"] =
      PerPixelSeconds(best, picture) / PerPixelSeconds(plain, small);
#ifdef VEXA_HAVE_OPENCV
  const OpenCvRun opencv = OpenCvEdgeBands(int(state.range(0)), 1);
  state.counters["EdgeBands_over_cv_dilate_erode"] = best / opencv.seconds;
  state.counters["pixels_unlike_cv"] =
      UnlikePixels(vexa::milling::EdgeBands(picture, radius), opencv.result);
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
  state.counters["OffsetFigures_over_plain"] =
      PerPixelSeconds(best, shapes) / PerPixelSeconds(plain, Shapes(true));
#ifdef VEXA_HAVE_OPENCV
  const OpenCvRun opencv = OpenCvOffset(int(state.range(0)), 1);
  state.counters["OffsetFigures_over_cv_distanceTransform"] = best / opencv.seconds;
  state.counters["pixels_unlike_cv"] = UnlikePixels(working, opencv.result);
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
// The best of two runs of `work` on an untimed copy of `picture` each, and the picture it left.
template <class Work>
OpenCvRun TimeOnCopies(const PixelBuffer& picture, int threads, Work work) {
  OpenCvRun run{1e300, {}};
  for (int i = 0; i < 2; ++i) {
    run.result = picture;
    run.seconds =
        std::min(run.seconds, vexa::bench::OpenCvSeconds(threads, 1, [&] { work(run.result); }));
  }
  return run;
}

// The disc of the edge bands as an OpenCV kernel: the same row chords, so the same pixels.
cv::Mat DiscKernel(int radius, int width) {
  const vexa::figures::DiscChords disc = vexa::figures::ChordsOfDisc(radius, radius, width);
  const int side = 2 * disc.reach + 1;
  cv::Mat kernel = cv::Mat::zeros(side, side, CV_8U);
  for (int j = -disc.reach; j <= disc.reach; ++j) {
    const int chord = disc.chord(j);
    if (chord < 0) continue;
    kernel.row(j + disc.reach).colRange(disc.reach - chord, disc.reach + chord + 1) = cv::Scalar(1);
  }
  return kernel;
}

// The edge bands by OpenCV: the disc's maximum and minimum around each pixel, the pixels with a
// level more than kGrayStep from their own turned white, in a copy of the picture; the frame of
// width `radius` keeps its pixels. The copy is timed, as EdgeBands makes one.
OpenCvRun OpenCvEdgeBands(int radius, int threads) {
  const PixelBuffer& picture = Photo(false);
  const cv::Mat disc = DiscKernel(radius, picture.width());
  const cv::Rect inside(radius, radius, picture.width() - 2 * radius,
                        picture.height() - 2 * radius);
  return TimeOnCopies(picture, threads, [&](PixelBuffer& output) {
    vexa::bench::PixelsOf(picture).copyTo(vexa::bench::PixelsOf(output));
    const cv::Mat gray = vexa::bench::GrayOf(picture);
    cv::Mat highest, lowest, above, below, turns;
    cv::dilate(gray, highest, disc);
    cv::erode(gray, lowest, disc);
    cv::add(gray, cv::Scalar(vexa::milling::kGrayStep), above);       // saturates at 255
    cv::subtract(gray, cv::Scalar(vexa::milling::kGrayStep), below);  // and at 0
    cv::bitwise_or(highest > above, lowest < below, turns);
    vexa::bench::PixelsOf(output)(inside).setTo(cv::Scalar::all(255), turns(inside));
  });
}

// The offset by OpenCV: the distance to the nearest pure white pixel, the pixels within the
// diameter turned white in place; the frame of width `diameter` keeps its pixels.
OpenCvRun OpenCvOffset(int radius, int threads) {
  const PixelBuffer& shapes = Shapes(false);
  const int diameter = 2 * radius;
  const cv::Rect inside(diameter, diameter, shapes.width() - 2 * diameter,
                        shapes.height() - 2 * diameter);
  return TimeOnCopies(shapes, threads, [&](PixelBuffer& working) {
    const cv::Mat notWhite = vexa::bench::GrayOf(working) != 255;
    cv::Mat distance;
    cv::distanceTransform(notWhite, distance, cv::DIST_L2, cv::DIST_MASK_PRECISE);
    const cv::Mat near = distance <= diameter;
    vexa::bench::PixelsOf(working)(inside).setTo(cv::Scalar::all(255), near(inside));
  });
}

// Arguments: the radius, and OpenCV's threads (1, or 0 for its own choice).
void BM_OpenCv(benchmark::State& state, OpenCvRun (*run)(int radius, int threads)) {
  for (auto _ : state) {
    state.SetIterationTime(run(int(state.range(0)), int(state.range(1))).seconds);
  }
}
BENCHMARK_CAPTURE(BM_OpenCv, EdgeBands, OpenCvEdgeBands)
    ->ArgsProduct({{5, 20, 50}, {1, 0}})
    ->ArgNames({"radius", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_OpenCv, Offset, OpenCvOffset)
    ->ArgsProduct({{5, 20, 50}, {1, 0}})
    ->ArgNames({"radius", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
#endif

}  // namespace

VEXA_OPENCV_BENCHMARK_MAIN()
