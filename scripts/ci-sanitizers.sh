#!/usr/bin/env bash
# The whole test suite once more, built with AddressSanitizer and UndefinedBehaviorSanitizer;
# then the threaded decode under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVENTORA_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-asan
# libdbus and fontconfig keep a few allocations to the end of the process: not ours.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Two at a time, as on a developer's machine (the tests are written to run beside each other):
# the sanitized programs are slow, and many of them spend their time waiting.
ctest --test-dir build-asan -j2 --output-on-failure

# The decoders of `ventora-cli decode --tnc2` share stations out over threads: built with
# ThreadSanitizer, several of them must agree with one, on a log whose stations come back in
# every batch.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVENTORA_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread"
cmake --build build-tsan --target ventora-cli
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for _ in 1 2 3; do cat tests/data/aprs-weather-*.txt; done >"$log"
one=$(TSAN_OPTIONS=halt_on_error=1 build-tsan/tools/ventora-cli decode --tnc2 --locale it_IT \
  --threads 1 <"$log" | sha256sum)
many=$(TSAN_OPTIONS=halt_on_error=1 build-tsan/tools/ventora-cli decode --tnc2 --locale it_IT \
  --threads 3 <"$log" | sha256sum)
[ "$one" = "$many" ] || { echo "ci-sanitizers: three decoders differ from one"; exit 1; }
echo "ci-sanitizers: ThreadSanitizer clean, three decoders agree with one"
