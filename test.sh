#!/usr/bin/env bash
# Builds Vexa with its tests and runs every one of them.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j2 "$@"
