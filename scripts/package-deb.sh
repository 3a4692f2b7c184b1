#!/usr/bin/env bash
# Builds the Debian package build/package/vexa_<version>_amd64.deb with CPack from the build
# tree (./build, configured by scripts/build.sh): vexa, vexa-cli and vexa-sim in /usr/bin, the default
# pictures and neuro.net in /usr/share/vexa, the desktop entry, the icon and the man pages. The
# package's dependencies come from dpkg-shlibdeps (dpkg-dev, installed here when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh dpkg-dev
./scripts/build.sh vexa vexa-sim vexa-cli man_pages
version="$(sed -n 's/^project(Vexa VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
rm -f build/package/vexa_*.deb
(cd build && cpack -G DEB --config CPackConfig.cmake >/dev/null)
deb="build/package/vexa_${version}_amd64.deb"
[ -f "$deb" ] || { echo "package-deb: $deb was not made" >&2; exit 1; }
echo "$deb"
