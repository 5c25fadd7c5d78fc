#!/usr/bin/env bash
# Start-up figures, taken from outside the programs on one private Xvfb display:
#   (a) exec to the first window mapped (and first drawn),
#   (b) a click in it to the second window mapped (and drawn),
#   peak resident memory over that run,
# for zefa, for a bare Qt Widgets program with one empty window, and for the same bare program
# furnished with the splash window's Qt widgets (menu bar, text, pictures). Runs are interleaved,
# N each after two warm-up rounds. Then the calculator benchmarks. One report, on standard output
# and in BUILD_DIR/bench/report.txt.
#   bench/startup.sh BUILD_DIR [N]
set -euo pipefail
build="$(cd "${1:?usage: startup.sh BUILD_DIR [N]}" && pwd)"
runs="${2:-20}"
warmups=2
mapwatch="$build/bench/mapwatch"
bare="$build/bench/bare_window"
program="$build/zefa"
calc_bench="$build/bench/calc_bench"
report="$build/bench/report.txt"

for f in "$mapwatch" "$bare" "$program" "$calc_bench"; do
  [ -x "$f" ] || { echo "startup.sh: $f is missing; build first (make build)" >&2; exit 1; }
done
for tool in Xvfb xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "startup.sh: $tool is missing (scripts/install-deps --test)" >&2; exit 1; }
done

XS_NAME=startup.sh
. "$(dirname "$0")/../scripts/xsession.sh"
tmp=$XS_TMP
bus_pid=
cleanup() {
  [ -z "$bus_pid" ] || kill "$bus_pid" 2>/dev/null || true
  xs_cleanup
}
trap cleanup EXIT

xs_start_xvfb

# A desktop always has a session bus, and Qt's accessibility bridge looks for it on first use;
# without one, libdbus forks a helper to go looking, which would time that instead.
session_bus="none"
if command -v dbus-daemon >/dev/null; then
  mkfifo "$tmp/busfd"
  dbus-daemon --session --nofork --print-address=3 3>"$tmp/busfd" >/dev/null 2>&1 &
  bus_pid=$!
  if read -r -t 30 address < "$tmp/busfd"; then
    export DBUS_SESSION_BUS_ADDRESS="$address"
    session_bus="a private dbus-daemon"
  fi
fi

# One run of one program: mapwatch clicks at (20,200), on the first window's background.
measure() {
  case "$1" in
    zefa) "$mapwatch" -c 20,200 Untitled "ZEFA Calculator" -- "$program" ;;
    bare) "$mapwatch" -c 20,200 "bare first" "bare second" -- "$bare" ;;
    furnished) "$mapwatch" -c 20,200 "bare first" "bare second" -- "$bare" --furnished "$build/resources" ;;
  esac 2>>"$tmp/stderr"
}

kinds=(zefa bare furnished)
: > "$tmp/runs"
for ((round = 0; round < warmups + runs; round++)); do
  # Rotate the order each round so that no program always follows the same one.
  for ((k = 0; k < ${#kinds[@]}; k++)); do
    kind=${kinds[$(((round + k) % ${#kinds[@]}))]}
    line=$(measure "$kind") || { echo "startup.sh: a $kind run failed: $line" >&2; tail -5 "$tmp/stderr" >&2; exit 1; }
    if ((round >= warmups)); then echo "$kind $line" >> "$tmp/runs"; fi
  done
done

"$calc_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=json > "$tmp/calc_bench.json" 2>>"$tmp/stderr"

build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
python3 - "$tmp/runs" "$tmp/calc_bench.json" "$runs" "$warmups" "$build_type" "$session_bus" "$build" <<'EOF' | tee "$report"
import json, statistics, sys, datetime
runs_file, bench_file, n, warmups, build_type, bus, build = sys.argv[1:8]
values = {}
for line in open(runs_file):
    kind, *fields = line.split()
    for f in fields:
        key, v = f.split("=")
        values.setdefault(kind, {}).setdefault(key, []).append(int(v))
med = {k: {key: statistics.median(v) for key, v in d.items()} for k, d in values.items()}

print(f"ZEFA start-up benchmark, {datetime.date.today()}")
print(f"build {build} ({build_type}); Xvfb 1280x1024x24; session bus: {bus}")
print(f"{n} runs of each program, interleaved, after {warmups} warm-up rounds; medians")
print()
rows = [("exec -> first window mapped", "map_us", 1000, "ms"),
        ("exec -> first window drawn", "paint_us", 1000, "ms"),
        ("click -> second window mapped", "click_map_us", 1000, "ms"),
        ("click -> second window drawn", "click_paint_us", 1000, "ms"),
        ("peak resident memory", "maxrss_kb", 1024, "MB")]
print(f"{'':34}{'zefa':>9}{'bare':>9}{'furnished':>11}{'zefa/bare':>11}{'zefa/furn.':>12}")
for title, key, div, unit in rows:
    z, b, f = (med[k][key] / div for k in ("zefa", "bare", "furnished"))
    print(f"{title + ' (' + unit + ')':34}{z:9.2f}{b:9.2f}{f:11.2f}{z / b:10.2f}x{z / f:11.2f}x")
print("(the furnished bare program's second window is empty, like the bare one's)")
print()

bench = {}
for b in json.load(open(bench_file))["benchmarks"]:
    if b.get("aggregate_name") == "median":
        bench[b["run_name"]] = (b["real_time"], b["cpu_time"], b["time_unit"])
for name, label in (("BM_BuildCalculatorWindow", "build the calculator window"), ("BM_Calculate", "one Calculate")):
    real, cpu, unit = bench[name]
    print(f"calc_bench, {label:30} {real:8.1f} {unit} (median of 5 repetitions, offscreen)")
print()

def verdict(ok): return "met" if ok else "MISSED"
zm, bm = med["zefa"], med["bare"]
calc_us = bench["BM_Calculate"][0] * {"ns": 1e-3, "us": 1, "ms": 1e3}[bench["BM_Calculate"][2]]
targets = [
    ("splash mapped within 1.10x the bare window", f"{zm['map_us'] / bm['map_us']:.2f}x", zm["map_us"] <= 1.10 * bm["map_us"]),
    ("peak memory within 1.10x the bare program", f"{zm['maxrss_kb'] / bm['maxrss_kb']:.2f}x", zm["maxrss_kb"] <= 1.10 * bm["maxrss_kb"]),
    ("click to calculator mapped under 10 ms", f"{zm['click_map_us'] / 1000:.2f} ms", zm["click_map_us"] < 10000),
    ("Calculate under 50 us", f"{calc_us:.1f} us", calc_us < 50),
]
print("targets:")
for what, figure, ok in targets:
    print(f"  {what:45} {figure:>9}  {verdict(ok)}")
EOF
echo "report: $report"
