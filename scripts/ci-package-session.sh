#!/usr/bin/env bash
# Run by an ordinary user: the installed Ventora on a virtual desktop against the installed
# simulator. The station's reports come through, F1 opens the installed help, and closing the
# window with SAVE writes the user's own WxAlarms.ini. Self-contained: it needs nothing from the
# source tree, which this user may not be able to read.
# Usage: ci-package-session.sh SCREENSHOT.png [RUNNER]   (also writes SCREENSHOT-window.png)
# RUNNER runs the installed programs when they are for another processor (qemu-aarch64 for the
# arm64 package).
set -euo pipefail
shot=$1
runner=${2:-}
if [ -z "${DISPLAY_READY:-}" ]; then
  export DISPLAY_READY=1
  exec xvfb-run -a -s "-screen 0 640x480x24" "$0" "$@"
fi
pids=()
# The installed program NAME, as a command: run directly, or by the runner.
installed() { echo $runner "$(command -v "$1")"; }
read -ra ventora_cmd <<<"$(installed ventora)"
read -ra cli_cmd <<<"$(installed ventora-cli)"
read -ra sim_cmd <<<"$(installed ventora-agwpe-sim)"
cleanup() { kill "${pids[@]}" 2>/dev/null || true; }
trap cleanup EXIT
cd "$HOME"  # as from a desktop menu: no help file in the working folder
config=$HOME/.config/Ventora
mkdir -p "$config"
# A fifteenth item is dropped by any write: its absence shows that SAVE wrote this file.
printf '#FALSE#,#FALSE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80,extra\r\n' \
  >"$config/WxAlarms.ini"
openbox & pids+=($!)
"${sim_cmd[@]}" --port 8000 --interval-ms 500 & pids+=($!)
sleep 0.5
"${ventora_cmd[@]}" IW2XYZ 127.0.0.1 SAVE & ventora=$!
pids+=($ventora)

find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true; }
wait_window() {
  local win=""
  for _ in $(seq 100); do win=$(find_window "$1") && [ -n "$win" ] && break; sleep 0.1; done
  echo "$win"
}
win=$(wait_window "^IW2XYZ Wx Station$")
[ -n "$win" ] || { echo "package: the installed ventora never showed 'IW2XYZ Wx Station'"; exit 1; }
echo "package: window $win reads '$(xdotool getwindowname "$win")'"
decoded=$(printf '%s\n' '!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW' |
  "${cli_cmd[@]}" decode --locale C)
case "$decoded" in
  *'"lblTemp":"25.0'*) echo "package: ventora-cli decode: ${decoded:0:120}..." ;;
  *) echo "package: the installed ventora-cli did not decode the report: $decoded"; exit 1 ;;
esac
report=$(timeout 30 "${cli_cmd[@]}" monitor IW2XYZ 127.0.0.1 --tick-ms 500 |
  grep -m 1 '"event":"report"' || true)
[ -n "$report" ] || { echo "package: the installed ventora-cli decoded no report"; exit 1; }
echo "package: ventora-cli monitor: ${report:0:120}..."
sleep 1
# The window alone, with its frame and title bar, as the desktop shows it.
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root -crop "$((WIDTH + 24))x$((HEIGHT + 52))+$((X > 12 ? X - 12 : 0))+$((Y > 44 ? Y - 44 : 0))" \
  +repage "${shot%.png}-window.png"

xdotool windowactivate --sync "$win" key F1
help=$(wait_window "Ventora - Istruzioni")
[ -n "$help" ] || { echo "package: F1 opened no help window"; exit 1; }
[ -z "$(find_window "Brevander")" ] || { echo "package: the help file was not found"; exit 1; }
echo "package: F1 opened '$(xdotool getwindowname "$help")' from /usr/share/ventora"
sleep 1
import -window root "$shot"
xdotool windowactivate --sync "$help" key alt+F4
sleep 0.5
xdotool windowactivate --sync "$win" key alt+F4
for _ in $(seq 100); do kill -0 "$ventora" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$ventora" 2>/dev/null || { echo "package: closing the window did not end ventora"; exit 1; }
wait "$ventora" || { echo "package: ventora ended with status $?"; exit 1; }
if grep -q extra "$config/WxAlarms.ini"; then
  echo "package: closing with SAVE did not write $config/WxAlarms.ini"
  exit 1
fi
echo "package: closing with SAVE wrote $config/WxAlarms.ini"
