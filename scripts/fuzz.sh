#!/usr/bin/env bash
# Builds the Layout-record fuzzer with clang (libFuzzer, ASan, UBSan) in its own folder, writes
# the seed inputs (every system record and each of its prefixes), fuzzes for a bounded time and
# copies every input that crashed, leaked, hung or ran out of memory into tests/corpus/, where
# `make test` replays it. Exits non-zero when the fuzzer found something.
#
# Usage: fuzz.sh [BUILD_DIR] [SECONDS]   (defaults build-fuzz, $FUZZ_SECONDS or 60)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build-fuzz}
SECS=${2:-${FUZZ_SECONDS:-60}}
JOBS=${JOBS:-$(nproc)}
SAN="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"

cmake -S . -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Fuzz \
  "-DCMAKE_CXX_FLAGS_FUZZ=-O1 -g -fsanitize=fuzzer-no-link $SAN" "-DCMAKE_EXE_LINKER_FLAGS=$SAN" \
  -DZEFA_BUILD_TESTS=OFF -DZEFA_BUILD_BENCH=OFF -DZEFA_BUILD_FUZZ=ON >/dev/null
cmake --build "$BUILD" -j"$JOBS" --target layout_record_fuzz

fuzzer=$BUILD/tests/fuzz/layout_record_fuzz
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
rm -rf "$BUILD/seeds" "$BUILD/artifacts"
mkdir -p "$BUILD/corpus" "$BUILD/artifacts"
"$fuzzer" --write-seeds "$BUILD/seeds"

status=0
"$fuzzer" -max_total_time="$SECS" -timeout=10 -rss_limit_mb=4096 -max_len=4096 \
  -dict="$BUILD/seeds/layout_record.dict" -artifact_prefix="$BUILD/artifacts/" -print_final_stats=1 \
  "$BUILD/corpus" "$BUILD/seeds/seeds" tests/corpus || status=$?

found=0
for f in "$BUILD"/artifacts/{crash,leak,timeout,oom}-*; do
  [ -e "$f" ] || continue
  cp "$f" tests/corpus/
  echo "fuzz: kept $(basename "$f") in tests/corpus/"
  found=1
done
if [ "$found" = 1 ] || [ "$status" != 0 ]; then
  echo "fuzz: the fuzzer found a fault (status $status)" >&2
  exit 1
fi
echo "fuzz: nothing found in $SECS s"
