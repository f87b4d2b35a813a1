#!/usr/bin/env bash
# End to end through a real AGWPE engine: weather packets made into audio, decoded by direwolf,
# received and decoded by `ventora-cli monitor`. Usage: e2e_direwolf.sh PATH/TO/ventora-cli
set -euo pipefail
cli=${1:?usage: e2e_direwolf.sh PATH/TO/ventora-cli}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if ! command -v direwolf >/dev/null && [ "$(id -u)" != 0 ]; then
  echo "direwolf is not installed (scripts/install-deps.sh installs it): skipped"
  exit 77
fi
work=$(mktemp -d)
port=$(( 20000 + RANDOM % 20000 ))
dwpid=""
monpid=""
cleanup() {
  [ -n "$monpid" ] && kill "$monpid" 2>/dev/null || true
  [ -n "$dwpid" ] && "$here/dw-peer-stop.sh" "$dwpid" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

export DW_DIR=$work/dw DW_RATE=11025
dwpid=$("$here/dw-peer-start.sh" "$port" "$here/packets.txt")
# --reconnect with one second of the schedule lasting 100 ms: the first retry comes 0.5 s after
# the loss, the next ones 1, 2, 4 s later.
"$cli" monitor iw2abc-13 127.0.0.1 --port "$port" --tick-ms 100 --locale C --reconnect \
  --retry-second-ms 100 >"$work/events.jsonl" &
monpid=$!

wait_for() {  # pattern seconds [count]
  local deadline=$(( $(date +%s) + $2 ))
  until [ "$(grep -c -- "$1" "$work/events.jsonl" || true)" -ge "${3:-1}" ]; do
    if [ "$(date +%s)" -ge "$deadline" ]; then
      echo "timed out waiting for $1; events so far:"; cat "$work/events.jsonl"; exit 1
    fi
    sleep 0.1
  done
}
wait_for '"event":"version"' 20
# One packet at a time, each after the gate's next tick, so that every report is decoded.
while IFS= read -r line; do
  printf '%s\n' "$line" > "$work/one.txt"
  "$here/dw-peer-feed.sh" "$DW_DIR" "$work/one.txt" 2>/dev/null
  sleep 0.5
done < "$here/packets.txt"
wait_for 'Variaz Press in 4h= -3mb' 60

fail=0
expect() {  # count pattern
  local got; got=$(grep -c -F -- "$2" "$work/events.jsonl" || true)
  if [ "$got" -lt "$1" ]; then echo "expected at least $1 of: $2 (got $got)"; fail=1; fi
}
expect 1 '{"event":"version","text":"Ventora connesso a AGWPE v2005.127"}'
expect 1 '{"event":"ports","text":"Porte Radio : 1"}'
expect 4 '"event":"frame","kind":"U","from":"IW2ABC-13"'
expect 1 '"event":"frame","kind":"U","from":"K1ABC"'
expect 3 '"event":"report"'
expect 2 '"lblWxData":"220°  6 / 8 km/h","lblTemp":"25.0°C","lblUR":"50%","lblPress":"990.0 mb","lblRain":"0mm/h 0mm/24h\r\n0mm/Day Dp 13.9°C  11.5g/m³","lblWxComment":" wRSW"'
expect 1 '"lblWxData":"090°  19 / 32 km/h","lblTemp":"0.0°C","lblUR":"80%","lblPress":"1013.2 mb"'
expect 1 '"lblWxComment":"Variaz Press in 4h= -3mb Davis"'
expect 1 'Wch -8.9°C'
if [ "$fail" != 0 ]; then cat "$work/events.jsonl"; exit 1; fi

# direwolf goes away (a crash, an update) and comes back on the same port: the monitor tries
# again by itself, and the next report arrives through the new connection.
reports=$(grep -c '"event":"report"' "$work/events.jsonl")
"$here/dw-peer-stop.sh" "$dwpid" >/dev/null
dwpid=""
wait_for '"event":"reconnecting"' 20 2  # the loss, then at least one refused retry
dwpid=$("$here/dw-peer-start.sh" "$port" "$here/packets.txt")
wait_for '"event":"version"' 30 2
sleep 0.5  # the gate's tick, so that the next report is decoded
head -n 1 "$here/packets.txt" > "$work/one.txt"
"$here/dw-peer-feed.sh" "$DW_DIR" "$work/one.txt" 2>/dev/null
wait_for '"event":"report"' 60 $((reports + 1))
expect 2 '"event":"connected"'
expect 1 '"event":"reconnecting","in_ms":500,"reason":"The remote host closed the connection"'
expect 1 '"reason":"Connection refused"'
if [ "$fail" != 0 ]; then cat "$work/events.jsonl"; exit 1; fi
echo "direwolf restarted: $(grep -c '"event":"reconnecting"' "$work/events.jsonl") waits, then a report through the new connection"
echo "direwolf end-to-end: $(grep -c '"event":"report"' "$work/events.jsonl") reports decoded"
