#!/usr/bin/env bash
# The packaged unit ventora-monitor@.service passes `systemd-analyze verify` (any warning fails
# too), run for one station with ExecStart pointed at the built ventora-cli, and every option its
# ExecStart gives ventora-cli is one the usage text names.
# Usage: systemd_unit.sh UNIT CLI   (exit 77, skipped, where systemd-analyze is missing)
set -euo pipefail
unit=$1 cli=$2
command -v systemd-analyze >/dev/null || { echo "no systemd-analyze here"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sed "s#/usr/bin/ventora-cli#$cli#" "$unit" >"$work/ventora-monitor@.service"
said=$(cd "$work" && systemd-analyze verify ./ventora-monitor@IW2XYZ-13.service 2>&1) || {
  echo "$said" >&2
  exit 1
}
if [ -n "$said" ]; then
  echo "systemd-analyze verify warns:" >&2
  echo "$said" >&2
  exit 1
fi
usage=$("$cli" --help)
for option in $(sed -n 's/^ExecStart=//p' "$unit" | grep -o -- '--[a-z-]*'); do
  grep -q -- "$option" <<<"$usage" || { echo "ventora-cli has no $option" >&2; exit 1; }
done
echo "ventora-monitor@.service verified"
