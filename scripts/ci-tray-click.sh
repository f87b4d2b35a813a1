#!/usr/bin/env bash
# The real thing on a virtual desktop: Xvfb, a window manager (openbox), a notification area
# (trayer), the simulator and the window. Minimises the window to the tray, brings it back with a
# real mouse click on the tray icon (xdotool) and saves a screenshot. Given a third file, starts
# the window again with a temperature limit the simulated station is beyond, and saves the desktop
# with the alarm's notification beside the tray icon.
# Usage: scripts/ci-tray-click.sh [BUILD_DIR] [SCREENSHOT.png] [NOTIFICATION.png]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shot=${2:-$build/ci-screenshot.png}
notification_shot=${3:-}
if [ -z "${DISPLAY_READY:-}" ]; then
  sudo=""
  [ "$(id -u)" = 0 ] || sudo="sudo"
  for tool in xvfb-run openbox trayer xdotool xwininfo import; do
    command -v "$tool" >/dev/null && continue
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      xvfb xauth openbox trayer xdotool x11-utils imagemagick >/dev/null
    break
  done
  export DISPLAY_READY=1
  exec xvfb-run -a -s "-screen 0 640x480x24" "$0" "$build" "$shot" $notification_shot
fi
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; }
trap cleanup EXIT
openbox & pids+=($!)
sleep 0.5
trayer --edge bottom --align right --widthtype pixel --width 60 --height 24 --SetDockType true & pids+=($!)
sleep 0.5
"$build/tools/ventora-agwpe-sim" --port 8000 --interval-ms 500 & pids+=($!)
sleep 0.3
work=$(mktemp -d)
cp "$build/ventora" "$work/"  # WxAlarms.ini goes beside the program: keep the build tree clean
(cd "$work" && exec ./ventora IW2XYZ 127.0.0.1) & pids+=($!)
ventora_pid=$!

find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true; }
for _ in $(seq 100); do win=$(find_window "IW2XYZ Wx Station") && [ -n "$win" ] && break; sleep 0.1; done
[ -n "${win:-}" ] || { echo "the window did not appear"; exit 1; }
echo "window $win is up"
sleep 1  # let the window manager take the window in

visible() { [ -n "$(find_window "IW2XYZ Wx Station")" ]; }
# Retries: on a busy machine the window manager and the tray host take their time.
for _ in 1 2 3 4 5; do
  xdotool windowminimize "$win"
  for _ in $(seq 20); do visible || break; sleep 0.1; done
  visible || break
done
! visible || { echo "minimising did not hide the window"; exit 1; }
echo "window hidden, icon in the tray"
for _ in 1 2 3 4 5; do
  sleep 1  # the tray host needs a moment to embed the icon
  # The tray icon is the program's window of an icon's size, embedded in the tray host.
  read -r icon X Y WIDTH HEIGHT < <(xwininfo -root -tree | awk '/"Ventora": \("ventora"/ {
      split($(NF-1), size, /[x+]/); split($NF, at, /\+/);
      if (size[1] >= 16 && size[1] <= 64) { print $1, at[2], at[3], size[1], size[2]; exit } }') || true
  [ -n "${icon:-}" ] || continue
  echo "clicking the tray icon $icon at $X,$Y (${WIDTH}x$HEIGHT)"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
  for _ in $(seq 20); do visible && break; sleep 0.1; done
  visible && break
done
visible || { echo "a click on the tray icon did not bring the window back"; exit 1; }
echo "a click on the tray icon brought the window back"
sleep 0.5
import -window root "$shot"
echo "screenshot: $shot"

[ -n "$notification_shot" ] || exit 0
kill "$ventora_pid"
wait "$ventora_pid" 2>/dev/null || true
# The simulated station sends about 15 °C: a highest temperature of 10 °C raises an alarm at
# its first report, told by a notification while the window is on screen.
printf '#FALSE#,#FALSE#,#FALSE#,#FALSE#\r\n-5,10,20,96\r\n900,1040,40,250\r\n50,80\r\n' \
  >"$work/WxAlarms.ini"
(cd "$work" && exec ./ventora IW2XYZ 127.0.0.1) & pids+=($!)
for _ in $(seq 100); do win=$(find_window "IW2XYZ Wx Station") && [ -n "$win" ] && break; sleep 0.1; done
[ -n "${win:-}" ] || { echo "the window did not come back"; exit 1; }
sleep 3  # the first report, the icon embedded, the message drawn beside it
import -window root "$notification_shot"
echo "notification screenshot: $notification_shot"
