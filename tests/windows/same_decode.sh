#!/usr/bin/env bash
# ventora-cli.exe under wine must decode the real packets of tests/data byte for byte as the
# Linux ventora-cli does, in C and Italian regional formats.
# Usage: same_decode.sh LINUX_CLI WINDOWS_CLI_EXE
set -euo pipefail
linux=$1 windows=$2
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The information fields: what follows the first ":" of each whole packet.
cat "$here"/data/aprs-weather-*.txt | sed 's/^[^:]*://' >"$work/info.txt"
status=0
for locale in C it_IT; do
  "$linux" decode --locale "$locale" <"$work/info.txt" >"$work/linux-$locale.json"
  wine "$windows" decode --locale "$locale" <"$work/info.txt" >"$work/windows-$locale.json"
  lines=$(wc -l <"$work/linux-$locale.json")
  if cmp -s "$work/linux-$locale.json" "$work/windows-$locale.json"; then
    echo "same_decode $locale: $lines reports, identical"
  else
    echo "same_decode $locale: outputs differ" >&2
    diff "$work/linux-$locale.json" "$work/windows-$locale.json" | head -5 >&2
    status=1
  fi
done
exit $status
