#!/usr/bin/env bash
# Builds Vexa when needed and starts it; arguments are passed on to the application.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh vexa vexa-sim
exec ./build/bin/vexa "$@"
