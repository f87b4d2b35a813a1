#!/usr/bin/env bash
# Builds the Debian package from a Release build: dist/ventora_<version>_<arch>.deb, for this
# machine's architecture or for arm64 (Raspberry Pi OS 64-bit), cross-built with Debian's
# multiarch and cmake/aarch64-linux-gnu.cmake.
# Usage: package-deb.sh [amd64|arm64]   (default: this machine's architecture)
# Needs dpkg-dev (dpkg-shlibdeps computes the library dependencies) besides the build packages;
# for arm64 scripts/install-deps-arm64.sh installs the cross compiler and the arm64 libraries.
set -euo pipefail
cd "$(dirname "$0")/.."
native=$(dpkg --print-architecture)
arch=${1:-$native}
# The native package's build makes only what the package holds: its tests are the ones of the
# plain build (CI runs them there and again under the sanitizers). The arm64 build keeps its tests:
# CI runs them under qemu (scripts/ci-arm64.sh).
case "$arch" in
  "$native") build=build-deb options=(-DVENTORA_TESTS=OFF) ;;
  arm64) build=build-deb-arm64 options=(-DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake -DVENTORA_TESTS=ON) ;;
  *) echo "package-deb: no build for '$arch' (amd64 or arm64)" >&2; exit 2 ;;
esac
# dpkg-buildflags and dpkg-shlibdeps (which CPack runs) then work for that architecture: its
# flags, and the libraries of its multiarch folder.
eval "$(dpkg-architecture -a "$arch" -s 2>/dev/null)"
# Debian's hardening flags, as its own packages are built.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  "${options[@]}" -DVENTORA_BENCHMARKS=OFF -DVENTORA_WERROR=ON >/dev/null
cmake --build "$build"
(cd "$build" && cpack -G DEB >/dev/null)
ls "dist/ventora_$(sed -n 's/^project(Ventora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)_$arch.deb"
