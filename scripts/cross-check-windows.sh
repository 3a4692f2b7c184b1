#!/usr/bin/env bash
# Cross-builds the Qt-free core and its tests for 64-bit Windows with Debian's mingw-w64 and runs
# the tests under wine: the check that the core (cnc.ini, paths with Cyrillic names, the atomic
# replace) works where Vexa's users are. Installs the toolchain and wine when they are missing.
# Builds into build-windows/; arguments are passed to the test program (e.g.
# --gtest_filter='PathText*').
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
out="$root/build-windows"

# GoogleTest comes as sources (libgtest-dev) and is built with the cross compiler below.
./scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine wine64 locales

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$root"
fi
toolchain="$root/cmake/mingw-w64-x86_64.cmake"

gtest_prefix="$out/googletest"
if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "== GoogleTest for mingw-w64"
  cmake -S /usr/src/googletest -B "$out/googletest-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest_prefix" "${launcher[@]}" >/dev/null
  cmake --build "$out/googletest-build" -j2
  cmake --install "$out/googletest-build" >/dev/null
fi

echo "== vexa_core and vexa_core_tests for Windows"
if [ ! -f "$out/core/CMakeCache.txt" ]; then
  cmake -S . -B "$out/core" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVEXA_CORE_ONLY=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGTest_DIR="$gtest_prefix/lib/cmake/GTest" \
    "${launcher[@]}"
fi
cmake --build "$out/core" -j2 --target vexa_core_tests

echo "== vexa_core_tests.exe under wine"
# A prefix of our own, made on the first run, so that ~/.wine is left alone. A Russian locale
# gives the code pages of a Russian Windows (1251, 866), the users' system, where a name read in
# the wrong encoding shows. Wine also writes the names of Linux files in the locale's encoding,
# so the locale must exist: it is compiled into the build folder (LOCPATH), the system's locale
# settings are not touched. It is set for wine alone, so that this shell does not complain of it.
export WINEPREFIX="$out/wine"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no offer to install Mono or Gecko
if [ ! -d "$out/locale/ru_RU.UTF-8" ]; then
  mkdir -p "$out/locale"
  localedef -i ru_RU -f UTF-8 "$out/locale/ru_RU.UTF-8"
fi
wine_env=(env LOCPATH="$out/locale" LC_ALL=ru_RU.UTF-8)
if [ ! -d "$WINEPREFIX" ]; then
  "${wine_env[@]}" wineboot --init >/dev/null 2>&1 || true
fi
# The tests print UTF-8 bytes only; through a pipe wine passes them on unchanged.
set +e
"${wine_env[@]}" wine "$out/core/bin/vexa_core_tests.exe" --gtest_brief=1 --gtest_color=no "$@" \
  2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
set -e
wineserver -w || true
exit "$status"
