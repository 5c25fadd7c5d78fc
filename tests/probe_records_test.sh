#!/usr/bin/env bash
# The probe lists every record the program holds, each with the length its bytes really have, and
# the rectangle of every control the scripts aim at.
set -euo pipefail
out="$("$1" records)"
[ "$(wc -l <<<"$out")" -eq 28 ] || { echo "expected 28 records"; exit 1; }
while IFS=$'\t' read -r name len hex; do
  [ "${#hex}" -eq $((len * 2)) ] || { echo "$name: $len bytes but ${#hex} hex digits"; exit 1; }
done <<<"$out"
grep -q $'^AboutWindow.Timer1\t31\t' <<<"$out"
grep -q $'^Calc\t382\t' <<<"$out"
grep -q $'^Calc.CorrFld\t684\t' <<<"$out"

# Both content areas and the 25 controls with a widget (the timer has none), four numbers each.
geometry="$(QT_QPA_PLATFORM=offscreen "$1" geometry 2>/dev/null)"
[ "$(grep -cE '^(Calc|AboutWindow) [-A-Za-z0-9]+( [0-9]+){4}$' <<<"$geometry")" -eq 27 ] ||
  { echo "expected 27 geometry lines:"; echo "$geometry"; exit 1; }
grep -qx 'Calc - 0 0 480 450' <<<"$geometry"
grep -qx 'AboutWindow Canvas2 216 142 69 67' <<<"$geometry"
echo "probe records and geometry: ok"
