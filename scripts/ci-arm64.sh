#!/usr/bin/env bash
# CI's arm64 stage (Raspberry Pi OS 64-bit is Debian 12 arm64): the Debian package cross-built
# with multiarch, the test suite of that same build under qemu-user, ventora-cli decode compared
# byte for byte with the native build's, then the package stage for arm64: lintian, installed
# with apt beside the amd64 system, its programs run under qemu on a virtual desktop.
# Usage: ci-arm64.sh [NATIVE_BUILD]   (default: build, whose ventora-cli is the reference)
# Installing the arm64 libraries removes nothing (--no-remove); apt may replace an installed
# amd64 ventora package with the arm64 one, so this stage runs after the amd64 package stage.
set -euo pipefail
cd "$(dirname "$0")/.."
native_build=${1:-build}
start=$(date +%s)
scripts/install-deps-arm64.sh
scripts/package-deb.sh arm64
# Every test program runs under qemu-aarch64, several times slower than natively (the caption
# formatter's test takes about four minutes): two at a time, each allowed 15 minutes. The tests
# that start programs of their own are left out (tests/CMakeLists.txt says why).
ctest --test-dir build-deb-arm64 -j2 --timeout 900 --output-on-failure
tests/same_decode.sh "$native_build/tools/ventora-cli" build-deb-arm64/tools/ventora-cli \
  qemu-aarch64
scripts/ci-package.sh arm64
echo "ci-arm64: $(( $(date +%s) - start )) s"
