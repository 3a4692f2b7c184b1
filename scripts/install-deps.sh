#!/usr/bin/env bash
# Installs the Debian packages that building and testing Vexa needs, and any packages named as
# arguments (scripts/fuzz-intake.sh adds clang). "--bench" adds OpenCV, which the benchmarks in
# bench/ compare against when it is there before CMake runs. Does nothing when every package is
# installed.
set -euo pipefail

extra=()
for arg in "$@"; do
  if [ "$arg" = "--bench" ]; then
    extra+=(libopencv-dev)
  else
    extra+=("$arg")
  fi
done

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-serialport-dev libqt6serialport6 qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev libgif-dev libjpeg-dev libcli11-dev
  fonts-dejavu-core qt6-translations-l10n ccache
  "${extra[@]}"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
