#pragma once
// The best of a few wall-clock timings of `work`, in seconds: how the benchmarks time what they
// compare themselves with inside their own runs, so each prints its ratio.

#include <algorithm>
#include <chrono>

namespace vexa::bench {

template <typename Work>
double BestSeconds(int repeats, Work&& work) {
  double best = 1e300;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(
        best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

}  // namespace vexa::bench
