#!/usr/bin/env bash
# Whole-process throughput: the real packets of tests/data, twenty times over, through
# `ventora-cli decode --tnc2` (as many decoders as processors, and one) and direwolf's
# `decode_aprs`, best of 5 each, interleaved.
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
lower() { echo "if ($1 < $2) $1 else $2" | bc -l; }
best_ours=999 best_one=999 best_theirs=999
for _ in 1 2 3 4 5; do
  best_ours=$(lower "$(seconds "$build/tools/ventora-cli" decode --tnc2 --locale C)" "$best_ours")
  best_one=$(lower "$(seconds "$build/tools/ventora-cli" decode --tnc2 --locale C --threads 1)" \
    "$best_one")
  best_theirs=$(lower "$(seconds decode_aprs)" "$best_theirs")
done
printf 'packets: %d (processors: %d)\n' "$lines" "$(nproc)"
printf 'ventora-cli decode --tnc2: %.3f s, ratio %.2fx\n' "$best_ours" \
  "$(echo "$best_theirs / $best_ours" | bc -l)"
printf 'ventora-cli decode --tnc2 --threads 1: %.3f s, ratio %.2fx\n' "$best_one" \
  "$(echo "$best_theirs / $best_one" | bc -l)"
printf 'decode_aprs: %.3f s\n' "$best_theirs"
