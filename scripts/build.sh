#!/usr/bin/env bash
# Configures (once) and builds the given targets, or everything, in ./build. With ccache
# installed, compiles go through it; paths are taken relative to the checkout, so a fresh clone
# reuses what an earlier one compiled.
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_BASEDIR="$PWD"
# Debug builds record their build folder; without this ccache keys every object to that folder
# and a fresh clone elsewhere compiles everything again.
export CCACHE_NOHASHDIR=true
if [ ! -f build/CMakeCache.txt ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build -j2 "${targets[@]}"
