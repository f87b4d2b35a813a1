#!/usr/bin/env bash
# Starts the AGWPE simulator on 127.0.0.1:8000 and the Ventora window watching its station.
# Usage: scripts/demo.sh [BUILD_DIR]   (default: build)
set -euo pipefail
build=${1:-build}
"$build/tools/ventora-agwpe-sim" --port 8000 --call IW2XYZ &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
sleep 0.3
kill -0 "$sim" 2>/dev/null || { echo "the simulator could not start (is port 8000 taken?)" >&2; exit 1; }
"$build/ventora" IW2XYZ
