#!/usr/bin/env bash
# The probe lists every record the program holds, each with the length its bytes really have, and
# the rectangle of every control the scripts aim at: one for each record but the timer's, which
# has no widget (a window's record gives its content area, "-").
set -euo pipefail
out="$("$1" records)"
while IFS=$'\t' read -r name len hex; do
  [ "${#hex}" -eq $((len * 2)) ] || { echo "$name: $len bytes but ${#hex} hex digits"; exit 1; }
done <<<"$out"

geometry="$(QT_QPA_PLATFORM=offscreen "$1" geometry 2>/dev/null)"
if grep -vqE '^(Calc|AboutWindow) [-A-Za-z0-9]+( [0-9]+){4}$' <<<"$geometry"; then
  echo "a geometry line that is not WINDOW CONTROL X Y W H:"; echo "$geometry"; exit 1
fi
want="$(cut -f1 <<<"$out" | grep -v '\.Timer1$' | sed -E 's/^([^.]*)$/\1 -/; s/\./ /' | sort)"
have="$(cut -d' ' -f1,2 <<<"$geometry" | sort)"
[ "$want" = "$have" ] || { echo "geometry does not match the records:"; diff <(echo "$want") <(echo "$have"); exit 1; }
grep -qx 'Calc - 0 0 480 450' <<<"$geometry"  # X Y W H, in that order
grep -qx 'AboutWindow Canvas2 216 142 69 67' <<<"$geometry"
echo "probe records and geometry: ok"
