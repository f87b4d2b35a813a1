#!/usr/bin/env bash
# Cross-compiles Ventora for 64-bit Windows into build-windows/ and packs
# dist/ventora-windows-x64.zip: one folder to unzip anywhere and run.
# Usage: scripts/build-windows.sh [QT_MINGW_DIR]
# Needs Debian's g++-mingw-w64-x86-64-posix, qt6-base-dev-tools (moc, rcc, uic of the same Qt
# version), cmake, ninja and zip, and a Qt 6 built for MinGW-w64 with Sql (its SQLite driver) and
# Charts (any: this project's CI uses one built from Debian's qt6-base source; MSYS2's
# mingw-w64-x86_64-qt6-base and -qt6-charts work the same way), and libmosquitto built for
# MinGW-w64, whose folder (include/, lib/, bin/) MOSQUITTO_MINGW_DIR names (MSYS2's
# mingw-w64-x86_64-mosquitto works too).
set -euo pipefail
cd "$(dirname "$0")/.."
qt=${1:-${QT_MINGW_DIR:-}}
if [ -z "$qt" ] || [ ! -d "$qt/lib/cmake/Qt6" ]; then
  echo "build-windows: give the folder of a Qt 6 for MinGW-w64 (QT_MINGW_DIR or an argument)" >&2
  exit 2
fi
qt=$(cd "$qt" && pwd)
mosquitto=${MOSQUITTO_MINGW_DIR:-}
if [ -z "$mosquitto" ] || [ ! -f "$mosquitto/include/mosquitto.h" ]; then
  echo "build-windows: set MOSQUITTO_MINGW_DIR to the folder of libmosquitto for MinGW-w64" >&2
  exit 2
fi
mosquitto=$(cd "$mosquitto" && pwd)
build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DQT_MINGW_DIR="$qt" -DMOSQUITTO_MINGW_DIR="$mosquitto" -DVENTORA_BENCHMARKS=OFF -DVENTORA_WERROR=ON \
  -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
cmake --build "$build"

# The folder a user unzips: the programs, the Qt and MinGW DLLs they load, the plugins, the help.
name=ventora-windows-x64
stage=$build/dist/$name
rm -rf "$build/dist" && mkdir -p "$stage/platforms" "$stage/styles" "$stage/imageformats" \
  "$stage/sqldrivers" "$stage/translations"
cp "$build/ventora.exe" "$build/tools/ventora-cli.exe" "$build/tools/ventora-agwpe-sim.exe" \
  "$build/tools/ventora-aprsis.exe" "$stage/"
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6Network Qt6Sql Qt6Charts libstdc++-6 libgcc_s_seh-1 \
  libwinpthread-1; do
  cp "$qt/bin/$dll.dll" "$stage/"
done
cp "$mosquitto/bin/libmosquitto.dll" "$stage/"  # MQTT, plain (built without TLS)
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp "$qt/plugins/imageformats/qico.dll" "$stage/imageformats/"
cp "$qt/plugins/sqldrivers/qsqlite.dll" "$stage/sqldrivers/"  # the history's SQLite
cp resources/Leggimi.rtf resources/ReadMe.rtf "$stage/"
# Qt's own texts (message-box buttons, the file dialog) in each of the program's languages: the
# .qm files are the same on every system, so the build machine's (Debian's
# qt6-translations-l10n, the same Qt version) serve.
for language in it $(ls translations | sed -n 's/^ventora_\(.*\)\.ts$/\1/p'); do
  cp "/usr/share/qt6/translations/qtbase_$language.qm" "$stage/translations/"
done
sed 's/$/\r/' resources/windows-start.txt >"$stage/COME-AVVIARE.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE"
sed 's/$/\r/' resources/QT-LICENSES.txt >"$stage/QT-LICENSES.txt"
sed 's/$/\r/' "$mosquitto/epl-v20" >"$stage/MOSQUITTO-EPL-2.0.txt"
sed 's/$/\r/' "$mosquitto/edl-v10" >"$stage/MOSQUITTO-EDL-1.0.txt"
mkdir -p dist
rm -f "dist/$name.zip"
(cd "$build/dist" && zip -qr9 "../../dist/$name.zip" "$name")
echo "dist/$name.zip $(stat -c %s "dist/$name.zip") bytes"
