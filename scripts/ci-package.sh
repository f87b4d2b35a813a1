#!/usr/bin/env bash
# CI's package stage: builds the Debian package, checks it (lintian, AppStream), installs it
# with apt and tries it as an ordinary user on a virtual desktop.
# Usage: ci-package.sh [amd64|arm64]   (default: this machine's architecture)
# The arm64 package (scripts/install-deps-arm64.sh first) is installed beside the amd64 system
# with multiarch and its programs run under qemu-aarch64.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${1:-$(dpkg --print-architecture)}
runner="" build=build-deb
if [ "$arch" != "$(dpkg --print-architecture)" ]; then
  runner=qemu-aarch64 build=build-deb-$arch
fi
sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends dpkg-dev lintian \
  appstream xvfb xauth openbox xdotool imagemagick >/dev/null
scripts/package-deb.sh "$arch"
deb=$(ls dist/ventora_*_"$arch".deb)
lintian_status=0
lintian_says=$(lintian --fail-on error,warning "$deb" 2>&1) || lintian_status=$?
grep -v 'running with root privileges' <<<"$lintian_says" || true
[ "$lintian_status" = 0 ] || { echo "package: lintian found errors or warnings"; exit 1; }
# The package of the other architecture, if installed, is the one thing apt may replace.
removed=$(apt-get -s install "./$deb" | awk '$1 == "Remv" && $2 !~ /^ventora(:|$)/ { print $2 }')
[ -z "$removed" ] || { echo "package: installing $deb would remove: $removed"; exit 1; }
$sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq "./$deb" >/dev/null
appstreamcli validate --no-net /usr/share/metainfo/io.github.ventora.ventora.metainfo.xml
echo "package: $deb, $(stat -c %s "$deb") bytes; $(dpkg-deb -f "$deb" Depends)"

session=$(mktemp -d)
cp scripts/ci-package-session.sh "$session/"
chmod -R a+rX "$session"
shot=$PWD/$build/package-screenshot.png
if [ "$(id -u)" = 0 ]; then
  id ventora-ci >/dev/null 2>&1 || useradd -m ventora-ci
  runuser -u ventora-ci -- env -i PATH=/usr/bin:/bin HOME=/home/ventora-ci \
    bash "$session/ci-package-session.sh" /home/ventora-ci/package-screenshot.png $runner
  cp /home/ventora-ci/package-screenshot.png "$shot"
  cp /home/ventora-ci/package-screenshot-window.png "${shot%.png}-window.png"
else
  HOME=$(mktemp -d) bash "$session/ci-package-session.sh" "$shot" $runner
fi
echo "package: screenshots $shot, ${shot%.png}-window.png"
