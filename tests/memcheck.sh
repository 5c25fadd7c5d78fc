#!/usr/bin/env bash
# Memory check: the real calculator window under valgrind memcheck (1,000 calculations, Clear,
# hovers) through the probe, the real program's start-up, hand-over and Ctrl+Q under Xvfb, and
# resident memory that stays flat however many calculations run.
#   tests/memcheck.sh BUILD_DIR
# Any leak ("definitely" or "indirectly" lost) or invalid access outside the third-party
# libraries listed in tests/valgrind.supp fails the check.
set -euo pipefail
build="$(cd "${1:?usage: memcheck.sh BUILD_DIR}" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
probe="$build/tests/zefa_probe"
program="$build/zefa"
mapwatch="$build/bench/mapwatch"
XS_NAME=memcheck
. "$here/../scripts/xsession.sh"
tmp=$XS_TMP
started=$SECONDS
failed=0

valgrind_args=(
  --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect
  --errors-for-leak-kinds=definite,indirect --error-exitcode=99
  --num-callers=40 --suppressions="$here/valgrind.supp"
)

# Judges one memcheck log by the run's status: 99 is memcheck's own finding.
judge() {
  local name="$1" log="$2" rc="$3" err="${4:-}" lost
  lost=$(grep -hE "definitely lost:|indirectly lost:|ERROR SUMMARY" "$log" 2>/dev/null |
    sed 's/^==[0-9]*== *//; s/ (suppressed.*//' | tr '\n' ' ')
  if [ "$rc" -eq 99 ]; then
    echo "FAIL $name: memcheck found errors: $lost"
    awk '/^==[0-9]+== (Invalid|Mismatched|Conditional|Use of|Syscall|.*uninitialised|.*lost in loss record)/{on=1}
         on{print} /^==[0-9]+== $/{on=0}' "$log" | head -80
    failed=1
  elif [ "$rc" -ne 0 ]; then
    echo "FAIL $name: exit status $rc"
    tail -20 "$log"
    if [ -n "$err" ]; then tail -20 "$err"; fi
    failed=1
  else
    echo "ok   $name: $lost"
  fi
}

# N calculation lines of random valid inputs, every fiftieth one refused with a message box
# when asked, then Clear.
calculations() {
  python3 -c '
import random, sys
rng = random.Random(1)
n, refusals = int(sys.argv[1]), sys.argv[2] == "refusals"
for i in range(n):
    if refusals and i % 50 == 49:
        print(rng.choice(["30\t.5", "160\t.5", "100\t", "\t.5", "100\t.0"]))
    else:
        print(f"{rng.randint(45, 155)}\t.{rng.randint(1, 999):03d}")
print("CLEAR")' "$1" "${2:-}"
}
calculations 1000 refusals > "$tmp/calc1000"
# Every caption hover, in and out, a few times over, and the presses the captions answer.
for round in 1 2 3; do
  for n in 1 2 3 4 5 6 7; do printf 'MouseEnter Text%s\nMouseExit Text%s\n' "$n" "$n"; done
  printf 'MouseDown Text4\nMouseDown Text5\nMouseDown Text7\n'
done > "$tmp/hovers"

export QT_QPA_PLATFORM=offscreen
rc=0
valgrind "${valgrind_args[@]}" --log-file="$tmp/calc.log" "$probe" calc < "$tmp/calc1000" > "$tmp/calc.out" 2> "$tmp/calc.err" || rc=$?
judge "probe: 1,000 calculations and Clear" "$tmp/calc.log" "$rc" "$tmp/calc.err"
if [ "$(wc -l < "$tmp/calc.out")" -ne 1001 ]; then
  echo "FAIL probe: expected 1001 result lines, got $(wc -l < "$tmp/calc.out")"
  failed=1
fi
rc=0
valgrind "${valgrind_args[@]}" --log-file="$tmp/hovers.log" "$probe" events < "$tmp/hovers" > "$tmp/hovers.out" 2> "$tmp/hovers.err" || rc=$?
judge "probe: caption hovers" "$tmp/hovers.log" "$rc" "$tmp/hovers.err"

# The real program on a virtual display: start, click to hand over, Ctrl+Q.
if command -v Xvfb >/dev/null && command -v xdpyinfo >/dev/null && [ -x "$mapwatch" ] && [ -x "$program" ]; then
  xs_start_xvfb
  unset QT_QPA_PLATFORM
  # mapwatch waits for each window's map and first drawing, clicks, types Ctrl+Q and waits for
  # the end; valgrind's own status (99 on a finding) comes back as the program's exit status.
  rc=0
  out=$("$mapwatch" -t 150000 -q -c 20,200 Untitled "ZEFA Calculator" -- \
    valgrind "${valgrind_args[@]}" --log-file="$tmp/program.log" "$program" 2> "$tmp/program.err") || rc=$?
  echo "     $out"
  status=$(sed -n 's/.* exit=\(-\?[0-9]*\).*/\1/p' <<< "$out")
  [ "$rc" -eq 0 ] && rc=${status:-1}
  [ "$rc" -eq -1 ] && rc=1
  judge "program: start, click to hand over, Ctrl+Q" "$tmp/program.log" "$rc" "$tmp/program.err"
  export QT_QPA_PLATFORM=offscreen
else
  echo "skip program-start-handover-quit: needs Xvfb, xdpyinfo, $mapwatch and $program"
fi

# Resident memory must not grow with the number of calculations.
calculations 2000 > "$tmp/calc2k"
calculations 50000 > "$tmp/calc50k"
peak_kb() { /usr/bin/time -f "%M" "$probe" calc < "$1" 2>&1 >/dev/null | tail -1; }
small=$(peak_kb "$tmp/calc2k")
large=$(peak_kb "$tmp/calc50k")
growth=$((large - small))
if [ "$growth" -lt 2048 ]; then
  echo "ok   peak RSS: 2,000 calculations ${small} KB, 50,000 calculations ${large} KB (+${growth} KB)"
else
  echo "FAIL peak RSS grows with calculations: ${small} KB for 2,000, ${large} KB for 50,000 (+${growth} KB)"
  failed=1
fi

echo "memcheck: $((SECONDS - started)) s"
exit $failed
