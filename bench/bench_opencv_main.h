#pragma once
// The main of a benchmark that compares itself with OpenCV. When CMake found no OpenCV (it then
// defines VEXA_OPENCV_MISSING as what it lacked), the first line of the output says so and how to
// get it, so that a run without the comparison never passes for one with it.

#include <benchmark/benchmark.h>

#include <cstdio>

namespace vexa::bench {

inline void SayWhenOpenCvIsMissing() {
#ifdef VEXA_OPENCV_MISSING
  std::printf(
      "No comparison with OpenCV: %s was not found when CMake configured this build. To get it: "
      "./scripts/install-deps.sh --bench, then configure afresh (rm -rf build && "
      "./scripts/build.sh).\n",
      VEXA_OPENCV_MISSING);
  std::fflush(stdout);
#endif
}

}  // namespace vexa::bench

#define VEXA_OPENCV_BENCHMARK_MAIN()       \
  int main(int argc, char** argv) {        \
    vexa::bench::SayWhenOpenCvIsMissing(); \
    benchmark::Initialize(&argc, argv);    \
    benchmark::RunSpecifiedBenchmarks();   \
    benchmark::Shutdown();                 \
    return 0;                              \
  }
