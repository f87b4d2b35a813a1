#!/usr/bin/env bash
# CI's package stage: builds the Debian package, checks it (lintian, AppStream), installs it
# with apt and tries it as an ordinary user on a virtual desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq --no-install-recommends dpkg-dev lintian appstream xvfb xauth \
  openbox xdotool imagemagick >/dev/null
scripts/package-deb.sh
deb=$(ls dist/ventora_*_amd64.deb)
lintian --fail-on error "$deb" 2>&1 | grep -v 'running with root privileges' || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || { echo "package: lintian found errors"; exit 1; }
$sudo apt-get install -y -qq "./$deb" >/dev/null
appstreamcli validate --no-net /usr/share/metainfo/io.github.ventora.ventora.metainfo.xml
echo "package: $deb, $(stat -c %s "$deb") bytes; $(dpkg-deb -f "$deb" Depends)"

session=$(mktemp -d)
cp scripts/ci-package-session.sh "$session/"
chmod -R a+rX "$session"
shot=$PWD/build-deb/package-screenshot.png
if [ "$(id -u)" = 0 ]; then
  id ventora-ci >/dev/null 2>&1 || useradd -m ventora-ci
  runuser -u ventora-ci -- env -i PATH=/usr/bin:/bin HOME=/home/ventora-ci \
    bash "$session/ci-package-session.sh" /home/ventora-ci/package-screenshot.png
  cp /home/ventora-ci/package-screenshot.png "$shot"
else
  HOME=$(mktemp -d) bash "$session/ci-package-session.sh" "$shot"
fi
echo "package: screenshot $shot"
