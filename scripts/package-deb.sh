#!/usr/bin/env bash
# Builds the Debian package from a Release build: dist/ventora_<version>_amd64.deb.
# Needs dpkg-dev (dpkg-shlibdeps computes the library dependencies) besides the build packages.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-deb
# Debian's hardening flags, as its own packages are built.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DVENTORA_BENCHMARKS=OFF -DVENTORA_WERROR=ON >/dev/null
cmake --build "$build"
(cd "$build" && cpack -G DEB >/dev/null)
ls dist/ventora_*_amd64.deb
