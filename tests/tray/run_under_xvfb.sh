#!/usr/bin/env bash
# Runs a test program on a virtual X display with trayer as the notification area.
# Usage: run_under_xvfb.sh TEST_PROGRAM
set -euo pipefail
program=${1:?usage: run_under_xvfb.sh TEST_PROGRAM}
for tool in xvfb-run trayer; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
export QT_QPA_PLATFORM=xcb
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  trayer --edge bottom --align right --widthtype pixel --width 120 --height 24 &
  tray=$!
  sleep 0.5
  "$0"; status=$?
  kill "$tray" 2>/dev/null
  exit $status' "$program"
