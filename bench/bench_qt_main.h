#pragma once
// The main of a benchmark that needs Qt widgets: an application on the offscreen platform
// (unless another is asked for), then the benchmarks.

#include <benchmark/benchmark.h>

#include <QApplication>

#define VEXA_QT_BENCHMARK_MAIN()                                                                 \
  int main(int argc, char** argv) {                                                              \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen"); \
    QApplication application(argc, argv);                                                        \
    benchmark::Initialize(&argc, argv);                                                          \
    benchmark::RunSpecifiedBenchmarks();                                                         \
    benchmark::Shutdown();                                                                       \
    return 0;                                                                                    \
  }

// The same without widgets: a core application, as vexa-cli runs.
#define VEXA_QT_CORE_BENCHMARK_MAIN()         \
  int main(int argc, char** argv) {           \
    QCoreApplication application(argc, argv); \
    benchmark::Initialize(&argc, argv);       \
    benchmark::RunSpecifiedBenchmarks();      \
    benchmark::Shutdown();                    \
    return 0;                                 \
  }
