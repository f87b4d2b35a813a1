#!/usr/bin/env bash
# The Windows program as a user gets it, on a virtual desktop under wine: ventora.exe from the
# zip's folder (Qt's windows platform) connects over loopback to the Linux-built simulator and
# shows its station; ventora-cli.exe monitor decodes the same station's reports.
# Usage: scripts/ci-windows-e2e.sh LINUX_BUILD ZIP_FOLDER SCREENSHOT.png
# Needs WINEPREFIX set up by scripts/ci-windows.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1 folder=$2 shot=$3
unset WINEPATH  # the zip's folder must hold every DLL the programs load
if [ -z "${DISPLAY_READY:-}" ]; then
  export DISPLAY_READY=1
  exec xvfb-run -a -s "-screen 0 640x480x24" "$0" "$@"
fi
pids=()
cleanup() {
  kill "${pids[@]}" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
}
trap cleanup EXIT
# The window must use Qt's windows platform, not the offscreen one the test suite is given.
wine reg delete 'HKCU\Environment' /v QT_QPA_PLATFORM /f >/dev/null 2>&1 || true
wineserver -w
openbox & pids+=($!)
"$build/tools/ventora-agwpe-sim" --port 8000 --interval-ms 500 & pids+=($!)
sleep 0.5
work=$(mktemp -d)
cp -r "$folder"/. "$work/"  # WxAlarms.ini goes beside the program, as after unzipping
(cd "$work" && exec wine ventora.exe IW2XYZ 127.0.0.1) & pids+=($!)

win=""
for _ in $(seq 300); do
  win=$(xdotool search --onlyvisible --name "^IW2XYZ Wx Station$" 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "windows-e2e: the window caption never read 'IW2XYZ Wx Station'"; exit 1; }
echo "windows-e2e: window $win reads '$(xdotool getwindowname "$win")'"

# The same link and decoder, printing what the window shows: a report must come through.
report=$( (cd "$work" && timeout 60 wine ventora-cli.exe monitor IW2XYZ 127.0.0.1 --tick-ms 500) |
  grep -m 1 '"event":"report"' || true)
[ -n "$report" ] || { echo "windows-e2e: ventora-cli.exe monitor decoded no report"; exit 1; }
echo "windows-e2e: ventora-cli.exe monitor: ${report:0:160}..."
sleep 2  # let the window show a report of its own too
# The window with its frame and title bar, as the desktop shows it.
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root -crop "$((WIDTH + 24))x$((HEIGHT + 52))+$((X > 12 ? X - 12 : 0))+$((Y > 44 ? Y - 44 : 0))" +repage "$shot"
[ -f "$work/WxAlarms.ini" ] || { echo "windows-e2e: no WxAlarms.ini beside ventora.exe"; exit 1; }
echo "windows-e2e: WxAlarms.ini created beside ventora.exe ($(stat -c %s "$work/WxAlarms.ini") bytes)"
# The reports the window showed are in its history beside it, read by the Linux ventora-cli.
stations=$("$build/tools/ventora-cli" history --file "$work/WxHistory.sqlite" --stations 2>&1 ||
  true)
echo "$stations" | grep -q '^IW2XYZ,' ||
  { echo "windows-e2e: no IW2XYZ reports in WxHistory.sqlite beside ventora.exe: $stations"; exit 1; }
echo "windows-e2e: WxHistory.sqlite beside ventora.exe: $(echo "$stations" | tail -n 1)"
echo "windows-e2e: screenshot $shot"
