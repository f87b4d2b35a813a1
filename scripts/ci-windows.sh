#!/usr/bin/env bash
# CI's Windows stage: cross-builds with MinGW-w64 and a Qt for it, runs the test suite and the
# byte-for-byte decode comparison under wine, and packs the zip.
# The Qt SDK comes from QT_MINGW_DIR and libmosquitto from MOSQUITTO_MINGW_DIR, else each from
# the workplace's ../shared/toolchains tarball; where neither exists the stage says so and is
# skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
linux_build=${1:-build}
tarball=../shared/toolchains/qt6-mingw-w64.tar.xz
if [ -z "${QT_MINGW_DIR:-}" ]; then
  if [ ! -f "$tarball" ]; then
    echo "ci-windows: no Qt for MinGW-w64 (QT_MINGW_DIR unset, no $tarball): Windows stage skipped"
    exit 0
  fi
  mkdir -p build-windows-sdk
  [ -d build-windows-sdk/qt6-mingw ] || tar -xJf "$tarball" -C build-windows-sdk
  QT_MINGW_DIR=$PWD/build-windows-sdk/qt6-mingw
fi
if [ -z "${MOSQUITTO_MINGW_DIR:-}" ]; then
  mkdir -p build-windows-sdk
  [ -d build-windows-sdk/mosquitto-mingw ] ||
    tar -xJf ../shared/toolchains/mosquitto-mingw-w64.tar.xz -C build-windows-sdk
  MOSQUITTO_MINGW_DIR=$PWD/build-windows-sdk/mosquitto-mingw
fi
export QT_MINGW_DIR MOSQUITTO_MINGW_DIR
start=$(date +%s)
sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq --no-install-recommends g++-mingw-w64-x86-64-posix wine wine64 \
  qt6-base-dev-tools zip fonts-liberation2 xvfb xauth openbox xdotool imagemagick iproute2 >/dev/null
scripts/build-windows.sh "$QT_MINGW_DIR"

export WINEPREFIX=$PWD/build-windows/wineprefix WINEDEBUG=-all
export WINEPATH="Z:${QT_MINGW_DIR//\//\\}\\bin;Z:${MOSQUITTO_MINGW_DIR//\//\\}\\bin"
wineboot -i >/dev/null 2>&1 || true
# Wine hands no QT_* variable of the Unix environment to Windows programs: the tests' offscreen
# platform and its fonts (Qt's offscreen platform on Windows reads font files from a folder) are
# set in the prefix's own environment.
wine reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /t REG_SZ /d offscreen /f >/dev/null 2>&1
wine reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /t REG_SZ \
  /d 'Z:\usr\share\fonts\truetype\liberation2' /f >/dev/null 2>&1
wineserver -w
# Two at a time: wine starts each program slowly, and the longest run first (tests/CMakeLists.txt).
ctest --test-dir build-windows -j2 --output-on-failure
tests/same_decode.sh "$linux_build/tools/ventora-cli" build-windows/tools/ventora-cli.exe wine
scripts/ci-windows-e2e.sh "$linux_build" build-windows/dist/ventora-windows-x64 \
  build-windows/windows-screenshot.png
echo "ci-windows: $(( $(date +%s) - start )) s"
