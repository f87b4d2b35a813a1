#!/usr/bin/env bash
# The Windows program as a user gets it, on a virtual desktop under wine: ventora.exe from the
# zip's folder (Qt's windows platform) connects over loopback to the Linux-built simulator and
# shows its station; ventora-cli.exe monitor decodes the same station's reports; the simulator
# is stopped and started again, and the window comes back to it by itself; ventora-cli.exe
# publishes the station to Debian's MQTT broker.
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
# The window always connects to port 8000: another run of this script (or of ci-tray-click.sh) on
# the same machine must be over first, or the window would watch that run's simulator.
port_8000_busy() { grep -q ':1F40 00000000:0000 0A ' /proc/net/tcp; }
start_simulator() {
  for _ in $(seq 600); do port_8000_busy || break; sleep 0.5; done
  "$build/tools/ventora-agwpe-sim" --port 8000 --interval-ms 500 & simpid=$!
  pids+=($simpid)
  sleep 0.5
  kill -0 "$simpid" 2>/dev/null || { echo "windows-e2e: the simulator could not start on port 8000"; exit 1; }
}
start_simulator
work=$(mktemp -d)
cp -r "$folder"/. "$work/"  # WxAlarms.ini goes beside the program, as after unzipping
# An English desktop: the window speaks English and F1 opens the English help.
(cd "$work" && LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 exec wine ventora.exe IW2XYZ 127.0.0.1) &
pids+=($!)

visible_window() { xdotool search --onlyvisible --name "^IW2XYZ Wx Station$" 2>/dev/null | head -n 1 || true; }
win=""
for _ in $(seq 300); do
  win=$(visible_window)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "windows-e2e: the window caption never read 'IW2XYZ Wx Station'"; exit 1; }
echo "windows-e2e: window $win reads '$(xdotool getwindowname "$win")'"
# The window's connection carries TCP keep-alive (SIO_KEEPALIVE_VALS, which wine puts on the
# host's socket): the kernel shows its timer, the first probe due within 60 s of silence.
keepalive=""
for _ in $(seq 50); do
  keepalive=$(ss -tno state established '( dport = :8000 )' | grep -o 'timer:(keepalive[^)]*)' |
    head -n 1 || true)
  [ -n "$keepalive" ] && break
  sleep 0.1
done
[ -n "$keepalive" ] || { echo "windows-e2e: the window's connection has no keep-alive timer"; exit 1; }
echo "windows-e2e: the window's connection: $keepalive"

# The same link and decoder, printing what the window shows: a report must come through.
report=$( (cd "$work" && timeout 60 wine ventora-cli.exe monitor IW2XYZ 127.0.0.1 --tick-ms 500) |
  grep -m 1 '"event":"report"' || true)
[ -n "$report" ] || { echo "windows-e2e: ventora-cli.exe monitor decoded no report"; exit 1; }
echo "windows-e2e: ventora-cli.exe monitor: ${report:0:160}..."

# The same program publishes the station over plain MQTT (the Windows library has no TLS) to
# Debian's broker: the state of a report arrives, and "online" stays retained.
mqtt_port=18830
mosquitto -p "$mqtt_port" >/dev/null 2>&1 & pids+=($!)
mqtt=$(mktemp)
mosquitto_sub -p "$mqtt_port" -V mqttv311 -W 60 -C 1 -t ventora/IW2XYZ/state >"$mqtt" & subpid=$!
sleep 0.5
(cd "$work" && exec timeout 90 wine ventora-cli.exe monitor IW2XYZ 127.0.0.1 \
  --mqtt "127.0.0.1:$mqtt_port" >/dev/null) & clipid=$!
pids+=($clipid)
wait "$subpid" && grep -q '"time"' "$mqtt" ||
  { echo "windows-e2e: no state arrived from ventora-cli.exe over MQTT"; exit 1; }
online=$(mosquitto_sub -p "$mqtt_port" -V mqttv311 -W 5 -C 1 -t ventora/IW2XYZ/availability || true)
kill "$clipid" 2>/dev/null || true
[ "$online" = online ] || { echo "windows-e2e: availability read '$online', not online"; exit 1; }
echo "windows-e2e: ventora-cli.exe published over MQTT: $(head -c 160 "$mqtt")..."
sleep 2  # let the window show a report of its own too
# The window with its frame and title bar, as the desktop shows it.
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root -crop "$((WIDTH + 24))x$((HEIGHT + 52))+$((X > 12 ? X - 12 : 0))+$((Y > 44 ? Y - 44 : 0))" +repage "$shot"
timeout 10 xdotool windowactivate --sync "$win" 2>/dev/null || true
xdotool key F1
help=""
for _ in $(seq 100); do
  help=$(xdotool search --onlyvisible --name "^ Ventora - Help$" 2>/dev/null | head -n 1 || true)
  [ -n "$help" ] && break
  sleep 0.1
done
[ -n "$help" ] || { echo "windows-e2e: F1 on an English desktop opened no 'Ventora - Help' window"; exit 1; }
sleep 1  # a missing ReadMe.rtf would be said in a box, and the help window would close
if xdotool search --onlyvisible --name "^Brevander$" >/dev/null 2>&1 ||
  ! xdotool search --onlyvisible --name "^ Ventora - Help$" >/dev/null 2>&1; then
  echo "windows-e2e: the English help could not show ReadMe.rtf"
  exit 1
fi
echo "windows-e2e: F1 on an English desktop shows 'Ventora - Help' with ReadMe.rtf"
[ -f "$work/WxAlarms.ini" ] || { echo "windows-e2e: no WxAlarms.ini beside ventora.exe"; exit 1; }
echo "windows-e2e: WxAlarms.ini created beside ventora.exe ($(stat -c %s "$work/WxAlarms.ini") bytes)"
# The reports the window showed are in its history beside it, read by the Linux ventora-cli.
stations=$("$build/tools/ventora-cli" history --file "$work/WxHistory.sqlite" --stations 2>&1 ||
  true)
echo "$stations" | grep -q '^IW2XYZ,' ||
  { echo "windows-e2e: no IW2XYZ reports in WxHistory.sqlite beside ventora.exe: $stations"; exit 1; }
echo "windows-e2e: WxHistory.sqlite beside ventora.exe: $(echo "$stations" | tail -n 1)"
echo "windows-e2e: screenshot $shot"

# The engine goes away and comes back. The window is minimised while no engine runs: a report
# it decodes brings it forward again (the bring-to-front-on-data switch is on by default), so its
# coming back into view shows that it reconnected by itself and decoded a report. The first
# retry comes 5 s after the loss; the report gate may hold the first report up to a minute.
kill "$simpid"
wait "$simpid" 2>/dev/null || true
sleep 1
for _ in 1 2 3 4 5; do
  xdotool windowminimize "$win" 2>/dev/null || true
  for _ in $(seq 30); do [ -z "$(visible_window)" ] && break; sleep 0.1; done
  [ -z "$(visible_window)" ] && break
done
[ -z "$(visible_window)" ] || { echo "windows-e2e: minimising did not hide the window"; exit 1; }
lost=$(date +%s)
start_simulator
back=""
for _ in $(seq 1200); do
  back=$(visible_window)
  [ -n "$back" ] && break
  sleep 0.1
done
[ -n "$back" ] || { echo "windows-e2e: the window did not come back after the simulator restarted"; exit 1; }
# The simulator's side of an established connection on port 8000 (1F40): the window's new one.
grep -q ':1F40 [0-9A-F]*:[0-9A-F]* 01 ' /proc/net/tcp ||
  { echo "windows-e2e: no connection to the restarted simulator"; exit 1; }
echo "windows-e2e: simulator restarted; window '$(xdotool getwindowname "$back")' back with a report $(( $(date +%s) - lost )) s later"
