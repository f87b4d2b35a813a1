#!/usr/bin/env bash
# Whole-process throughput: the real packets of tests/data, twenty times over, through
# `ventora-cli decode --tnc2` and direwolf's `decode_aprs`, best of 3 each, interleaved.
# Usage: bench/vs_decode_aprs.sh [BUILD_DIR]   (needs Debian's direwolf for decode_aprs)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
command -v decode_aprs >/dev/null || { echo "decode_aprs not found (apt-get install direwolf)"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for _ in $(seq 20); do cat tests/data/aprs-weather-*.txt; done >"$work/packets.txt"
lines=$(wc -l <"$work/packets.txt")
seconds() {  # wall time of one run, in seconds
  local start end
  start=$(date +%s.%N)
  "$@" <"$work/packets.txt" >/dev/null 2>&1
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
best_ours=999 best_theirs=999
for _ in 1 2 3; do
  t=$(seconds "$build/tools/ventora-cli" decode --tnc2 --locale C)
  best_ours=$(echo "if ($t < $best_ours) $t else $best_ours" | bc -l)
  t=$(seconds decode_aprs)
  best_theirs=$(echo "if ($t < $best_theirs) $t else $best_theirs" | bc -l)
done
printf 'packets: %d\nventora-cli decode --tnc2: %.3f s\ndecode_aprs: %.3f s\nratio: %.2fx\n' \
  "$lines" "$best_ours" "$best_theirs" "$(echo "$best_theirs / $best_ours" | bc -l)"
