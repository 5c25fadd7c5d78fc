#!/usr/bin/env bash
# Runs every whole IQ from 45 to 155 with every r from .001 to .999 through the real window and
# checks each result line against an independent computation.
set -euo pipefail
probe="$1"
here="$(cd "$(dirname "$0")" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
python3 "$here/domain_expected.py" inputs > "$tmp/in"
start=$(date +%s.%N)
"$probe" calc < "$tmp/in" > "$tmp/out"
end=$(date +%s.%N)
python3 "$here/domain_expected.py" check "$tmp/in" "$tmp/out"
echo "domain sweep: $(wc -l < "$tmp/out") lines in $(echo "$end - $start" | bc) s"
