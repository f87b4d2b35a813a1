#!/usr/bin/env bash
# Installs what the arm64 cross-build needs on Debian 12 amd64 (uses sudo when not root): the
# arm64 architecture in dpkg, the cross compiler, the arm64 Qt libraries and headers beside the
# amd64 ones (multiarch), moc/rcc/uic of the build machine, and qemu-user to run the arm64
# programs. Nothing already installed is removed (--no-remove).
set -euo pipefail
sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
apt=(apt-get -o DPkg::Lock::Timeout=600)
if ! dpkg --print-foreign-architectures | grep -qx arm64; then
  $sudo dpkg --add-architecture arm64
fi
$sudo "${apt[@]}" update -qq
# libgdk-pixbuf's and glib's arm64 post-install steps print "Exec format error": they try to run
# an arm64 helper, harmlessly.
$sudo "${apt[@]}" install -y -qq --no-install-recommends --no-remove \
  cmake ninja-build dpkg-dev file qemu-user qt6-base-dev-tools qt6-l10n-tools crossbuild-essential-arm64 \
  qt6-base-dev:arm64 qt6-charts-dev:arm64 libqt6opengl6-dev:arm64 libqt6sql6-sqlite:arm64 qt6-qpa-plugins:arm64 libmosquitto-dev:arm64 \
  qt6-translations-l10n fonts-liberation2 fonts-dejavu-core >/dev/null
