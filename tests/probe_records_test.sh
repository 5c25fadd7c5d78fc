#!/usr/bin/env bash
# The probe lists every record the program holds, each with the length its bytes really have.
set -euo pipefail
out="$("$1" records)"
[ "$(wc -l <<<"$out")" -eq 28 ] || { echo "expected 28 records"; exit 1; }
while IFS=$'\t' read -r name len hex; do
  [ "${#hex}" -eq $((len * 2)) ] || { echo "$name: $len bytes but ${#hex} hex digits"; exit 1; }
done <<<"$out"
grep -q $'^AboutWindow.Timer1\t31\t' <<<"$out"
grep -q $'^Calc\t382\t' <<<"$out"
grep -q $'^Calc.CorrFld\t684\t' <<<"$out"
echo "probe records: ok"
