#!/usr/bin/env bash
# Another build's ventora-cli (the Windows one under wine, the arm64 one under qemu) must decode
# the real packets of tests/data byte for byte as the native ventora-cli does, in C and Italian
# regional formats.
# Usage: same_decode.sh NATIVE_CLI OTHER_CLI RUNNER (RUNNER: the command that runs OTHER_CLI)
set -euo pipefail
native=$1 other=$2 runner=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The information fields: what follows the first ":" of each whole packet.
cat "$here"/data/aprs-weather-*.txt | sed 's/^[^:]*://' >"$work/info.txt"
status=0
for locale in C it_IT; do
  "$native" decode --locale "$locale" <"$work/info.txt" >"$work/native-$locale.json"
  $runner "$other" decode --locale "$locale" <"$work/info.txt" >"$work/other-$locale.json"
  lines=$(wc -l <"$work/native-$locale.json")
  if cmp -s "$work/native-$locale.json" "$work/other-$locale.json"; then
    echo "same_decode $locale ($runner): $lines reports, identical"
  else
    echo "same_decode $locale ($runner): outputs differ" >&2
    diff "$work/native-$locale.json" "$work/other-$locale.json" | head -5 >&2
    status=1
  fi
done
exit $status
