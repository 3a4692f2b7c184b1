// The cutting window's pixel work on 2000 x 2000 photograph-like pictures: the whole
// "Обработать" chain (with neuro.bmp written), each operation alone, the plain reference chain
// for the speed-up, the stroke search on the chain's result, and OrderStrokes on 50,000 strokes
// against the plain quadratic order. The chain's trimming, every pass to the end, is timed on the
// picture it meets in the chain (after the gray and contrast steps); with OpenCV and its contrib
// module ximgproc (VEXA_HAVE_OPENCV) cv::ximgproc::thinning (Zhang-Suen) thins the same dark
// pixels, picture in and picture out like the chain, and trimming_over_cv_thinning is the
// chain's time over OpenCV's on one thread. The two thinnings follow different rules, so the
// lines they leave differ a little (dark_left and dark_left_cv count them).

#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_opencv_main.h"
#include "bench_pictures.h"
#include "bench_timing.h"
#include "cutting/cutting_pictures.h"
#include "cutting/find_strokes.h"
#include "cutting/order_strokes.h"
#include "cutting/plain_cutting.h"
#include "cutting/processing_chain.h"
#include "cutting/smooth_lines.h"
#include "cutting/thinning.h"
#include "cutting/tone_operations.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

#ifdef VEXA_HAVE_OPENCV
#include <opencv2/ximgproc.hpp>

#include "bench_opencv.h"
#endif

namespace {

using namespace vexa::cutting;
using vexa::picture::PixelBuffer;

constexpr int kSide = 2000;
constexpr int kStrokeCount = 50000;

const PixelBuffer& Photo() {
  static const PixelBuffer photo = test::PhotoLike(kSide, kSide, 1);
  return photo;
}

const PixelBuffer& Gepard() {
  static const PixelBuffer photo = vexa::bench::Photograph(kSide, kSide);
  return photo;
}

const OperationDisplay kQuiet;

struct ChainRun {
  PixelBuffer working, templatePicture, laser;
  vexa::test::TempFolder folder;
  vexa::test::RecordingPrompts prompts;
  int trimPasses = 0;

  explicit ChainRun(const PixelBuffer& picture)
      : working(picture), templatePicture(picture), laser(picture) {
    folder.write(kNetworkFileName, "net");
  }
  void run() {
    OperationDisplay display;
    display.show = [this](const std::string& status) {
      if (status.starts_with("Нейро. CR")) ++trimPasses;
    };
    ProcessPicture({folder.path(), prompts, {working, templatePicture, laser}, display, {}});
  }
};

// Argument: 0 the generated scene, 1 the gepard photograph enlarged.
void BM_ProcessingChain(benchmark::State& state) {
  int passes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ChainRun chain(state.range(0) == 0 ? Photo() : Gepard());
    state.ResumeTiming();
    chain.run();
    passes = chain.trimPasses;
  }
  state.counters["trim_passes"] = passes;
}
BENCHMARK(BM_ProcessingChain)
    ->DenseRange(0, 1)
    ->ArgName("picture")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The picture each operation meets in the chain, made once.
const PixelBuffer& Before(int step) {
  static std::vector<PixelBuffer> inputs = [] {
    std::vector<PixelBuffer> in;
    PixelBuffer p = Photo();
    in.push_back(p);  // 0: PrepareGray
    PrepareGray(p, 1, kQuiet);
    in.push_back(p);  // 1: RaiseContrast
    for (int pass = 1; pass <= 5; ++pass) RaiseContrast(p, pass, kQuiet);
    in.push_back(p);  // 2: TrimPixels, first pass
    while (TrimPixels(p, 1, kQuiet)) {
    }
    in.push_back(p);  // 3: ClearSpecks
    ClearSpecks(p, 1, kQuiet);
    in.push_back(p);  // 4: MakeBlackWhite
    MakeBlackWhite(p, 1, kQuiet);
    in.push_back(p);  // 5: SmoothLines
    SmoothLines(p, kQuiet);
    in.push_back(p);  // 6: the chain's result
    return in;
  }();
  return inputs[static_cast<std::size_t>(step)];
}

void BM_Operation(benchmark::State& state) {
  const int step = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    PixelBuffer p = Before(step);
    state.ResumeTiming();
    switch (step) {
      case 0:
        PrepareGray(p, 1, kQuiet);
        break;
      case 1:
        RaiseContrast(p, 1, kQuiet);
        break;
      case 2:
        TrimPixels(p, 1, kQuiet);
        break;
      case 3:
        ClearSpecks(p, 1, kQuiet);
        break;
      case 4:
        MakeBlackWhite(p, 1, kQuiet);
        break;
      default:
        SmoothLines(p, kQuiet);
        break;
    }
    benchmark::DoNotOptimize(p.data());
  }
}
// 0 gray, 1 one contrast pass, 2 the first thinning pass, 3 specks, 4 black/white, 5 smoothing
BENCHMARK(BM_Operation)->DenseRange(0, 5)->ArgName("step")->Unit(benchmark::kMillisecond);

void BM_PlainChain(benchmark::State& state) {
  for (auto _ : state) {
    PixelBuffer p = Photo();
    benchmark::DoNotOptimize(plain::Chain(p));
  }
}
BENCHMARK(BM_PlainChain)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FindStrokes(benchmark::State& state) {
  Strokes strokes;
  for (auto _ : state) {
    state.PauseTiming();
    PixelBuffer laser = Before(6);
    EventPacer pacer{{}};
    state.ResumeTiming();
    FindStrokes(laser, strokes, pacer);
  }
  state.counters["strokes"] = strokes.count();
}
BENCHMARK(BM_FindStrokes)->Unit(benchmark::kMillisecond);

// Short strokes scattered over the picture, as a busy drawing gives them.
std::vector<StrokeRecord> ScatteredStrokes() {
  test::Lcg random(3);
  std::vector<StrokeRecord> table;
  for (int i = 0; i < kStrokeCount; ++i) {
    const int x = 1 + random.below(kSide), y = 1 + random.below(kSide);
    table.push_back(
        {x, y, std::min(kSide, x + random.below(20)), std::min(kSide, y + random.below(20)), 0});
  }
  return table;
}

void BM_OrderStrokes(benchmark::State& state) {
  const std::vector<StrokeRecord> strokes = ScatteredStrokes();
  for (auto _ : state) {
    std::vector<StrokeRecord> table = strokes;
    benchmark::DoNotOptimize(OrderStrokes(table).data());
  }
}
BENCHMARK(BM_OrderStrokes)->Unit(benchmark::kMillisecond);

void BM_PlainOrderStrokes(benchmark::State& state) {
  const std::vector<StrokeRecord> strokes = ScatteredStrokes();
  for (auto _ : state) benchmark::DoNotOptimize(plain::OrderStrokes(strokes).data());
}
BENCHMARK(BM_PlainOrderStrokes)->Iterations(1)->Unit(benchmark::kMillisecond);

int DarkPixels(const PixelBuffer& picture) {
  int dark = 0;
  for (int y = 1; y <= picture.height(); ++y) {
    for (int x = 1; x <= picture.width(); ++x) dark += picture.gray(x, y) < kDarkBelow;
  }
  return dark;
}

#ifdef VEXA_HAVE_OPENCV
// OpenCV's side of the trimming: the dark pixels (blue below kDarkBelow) as a mask, thinned by
// Zhang-Suen, and the pixels the thinning cleared written white into the picture.
void OpenCvThinning(PixelBuffer& picture) {
  cv::Mat pixels = vexa::bench::PixelsOf(picture);
  const cv::Mat dark = vexa::bench::GrayOf(picture) < kDarkBelow;
  cv::Mat thin;
  cv::ximgproc::thinning(dark, thin, cv::ximgproc::THINNING_ZHANGSUEN);
  pixels.setTo(cv::Scalar::all(255), dark & ~thin);
}
#endif

// The chain's trimming from the picture it meets in the chain: passes until one changes nothing.
void BM_Trimming(benchmark::State& state) {
  const PixelBuffer& before = Before(2);
  PixelBuffer trimmed;
  int passes = 0;
  double best = 1e300;
  for (auto _ : state) {
    state.PauseTiming();
    trimmed = before;
    state.ResumeTiming();
    best = std::min(best, vexa::bench::BestSeconds(1, [&] {
                      passes = 1;
                      while (TrimPixels(trimmed, passes, kQuiet)) ++passes;
                    }));
  }
  state.counters["trim_passes"] = passes;
  state.counters["dark_before"] = DarkPixels(before);
  state.counters["dark_left"] = DarkPixels(trimmed);
#ifdef VEXA_HAVE_OPENCV
  PixelBuffer thinned;
  double opencv = 1e300;
  for (int i = 0; i < 3; ++i) {
    thinned = before;
    opencv = std::min(opencv, vexa::bench::OpenCvSeconds(1, 1, [&] { OpenCvThinning(thinned); }));
  }
  state.counters["dark_left_cv"] = DarkPixels(thinned);
  state.counters["trimming_over_cv_thinning"] = best / opencv;
#endif
}
BENCHMARK(BM_Trimming)->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef VEXA_HAVE_OPENCV
// OpenCV's thinning of the same pixels on one thread and on its own threads.
void BM_OpenCvThinning(benchmark::State& state) {
  const PixelBuffer& before = Before(2);
  for (auto _ : state) {
    PixelBuffer thinned = before;
    state.SetIterationTime(
        vexa::bench::OpenCvSeconds(int(state.range(0)), 1, [&] { OpenCvThinning(thinned); }));
  }
}
BENCHMARK(BM_OpenCvThinning)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("threads")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
#endif

}  // namespace

VEXA_OPENCV_BENCHMARK_MAIN()
