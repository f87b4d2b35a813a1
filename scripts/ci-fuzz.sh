#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short, bounded time from its seeds.
# Usage: scripts/ci-fuzz.sh [SECONDS_PER_TARGET]   (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
if ! command -v clang++ >/dev/null || ! dpkg -s libclang-rt-14-dev >/dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq clang libclang-rt-14-dev >/dev/null
fi
targets=(frames decoder alarm_file command_line rtf setup_numbers aprsis_line)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVENTORA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Only the targets run here, and the libraries they need (not the window's nor the history's).
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"
export QT_QPA_PLATFORM=offscreen
# One target from its seeds for the given time; a failing input is kept and shown.
fuzz_target() {
  local target=$1 work
  work=$(mktemp -d)
  cp fuzz/seeds/$target/* "$work/"
  if ! build-fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -max_len=70000 \
      -print_final_stats=1 -artifact_prefix="$work/" "$work" >"$work.log" 2>&1; then
    tail -n 60 "$work.log"
    echo "fuzz_$target found a failing input (kept in $work)"
    return 1
  fi
  echo "fuzz_$target: ${seconds}s, $(grep -E '^stat::number_of_executed_units' "$work.log" || true)"
  rm -rf "$work" "$work.log"
}
# A fuzzer keeps one core busy: two targets at a time, each for its whole time.
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  pids=()
  for target in "${targets[@]:i:2}"; do
    fuzz_target "$target" &
    pids+=($!)
  done
  failed=0
  for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
  [ "$failed" = 0 ] || exit 1
done
