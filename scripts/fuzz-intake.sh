#!/usr/bin/env bash
# Builds the picture intake fuzz target with clang (libFuzzer, address and undefined-behaviour
# sanitizers) in ./build-fuzz and runs it for MINUTES minutes (default 5) on a corpus in
# ./build-fuzz/corpus, seeded with small whole pictures of every kind. Findings are written to
# ./build-fuzz/findings; the script fails when there is one. MINUTES 0 only builds.
#   ./scripts/fuzz-intake.sh [MINUTES]
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-5}
./scripts/install-deps.sh clang libclang-rt-dev
export CCACHE_BASEDIR="$PWD"
if [ ! -f build-fuzz/CMakeCache.txt ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B build-fuzz -DVEXA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}"
fi
cmake --build build-fuzz -j2 --target picture_intake_fuzz make_fuzz_seeds
mkdir -p build-fuzz/corpus build-fuzz/findings
QT_QPA_PLATFORM=offscreen ./build-fuzz/bin/make_fuzz_seeds build-fuzz/corpus
[ "$minutes" -gt 0 ] || exit 0
# Leaks are not findings here: Qt keeps some allocations until the process ends.
export ASAN_OPTIONS=detect_leaks=0
QT_QPA_PLATFORM=offscreen ./build-fuzz/bin/picture_intake_fuzz build-fuzz/corpus \
  -max_total_time=$((minutes * 60)) -max_len=65536 -rss_limit_mb=4096 -timeout=10 \
  -artifact_prefix=build-fuzz/findings/ -print_final_stats=1
