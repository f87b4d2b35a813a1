#!/usr/bin/env bash
# Installs what Ventora needs to build, run and test on Debian 12 (uses sudo when not root).
set -euo pipefail
sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends \
  g++ cmake ninja-build qt6-base-dev qt6-l10n-tools qt6-translations-l10n qt6-qpa-plugins \
  qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite sqlite3 \
  libbenchmark-dev fonts-liberation2 fonts-dejavu-core xvfb xauth trayer xdotool direwolf \
  libmosquitto-dev mosquitto mosquitto-clients openssl systemd >/dev/null
