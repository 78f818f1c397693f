#!/usr/bin/env bash
# Builds the fuzz targets under fuzz/ with clang (libFuzzer, address and undefined-
# behaviour sanitizers) in build-fuzz/ and runs every target for SECONDS seconds (60
# unless given), as many at once as there are cores. Before fuzzing, each target runs
# over its seed corpus and must show that the seeds reach the stages it names.
# Exits non-zero on a finding; the input that found it is kept in build-fuzz/findings/.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SECONDS_PER_TARGET="${1:-60}"
BUILD_DIR="${FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"

# clang is needed for this step only.
EXTRA_PACKAGES=(clang libclang-rt-dev)
SETUP_INSTALL_ONLY=1
source "$ROOT/scripts/setup.sh"

cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_FUZZ=ON -DORVANE_BUILD_BENCH=OFF
cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target fuzz_targets

TARGETS=(datafile adjustfile identification receiveslots exchange channelcsv configtext configimage repeaterlist)
FINDINGS="$BUILD_DIR/findings"
WORK="$BUILD_DIR/corpus"
LOGS="$BUILD_DIR/logs"
rm -rf "$FINDINGS" "$LOGS"
mkdir -p "$FINDINGS" "$WORK" "$LOGS"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen

status=0
for t in "${TARGETS[@]}"; do
  echo "== fuzz_$t: seeds"
  if ! ORVANE_FUZZ_REACH=1 "$BUILD_DIR/fuzz/fuzz_$t" -runs=0 "$ROOT/fuzz/corpus/$t" > "$LOGS/$t-seeds.log" 2>&1; then
    cat "$LOGS/$t-seeds.log"
    echo "fuzz_$t: the seeds do not reach what they must (or one of them is a finding)" >&2
    status=1
  fi
  grep '^reach:' "$LOGS/$t-seeds.log" || true
done
[ "$status" = 0 ] || exit "$status"

run_target() {
  local t="$1"
  mkdir -p "$WORK/$t"
  local rc=0
  "$BUILD_DIR/fuzz/fuzz_$t" -max_total_time="$SECONDS_PER_TARGET" -timeout=20 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$FINDINGS/$t-" "$WORK/$t" "$ROOT/fuzz/corpus/$t" \
    > "$LOGS/$t.log" 2>&1 || rc=$?
  echo "$rc" > "$LOGS/$t.rc"
}

echo "== fuzzing ${#TARGETS[@]} targets, ${SECONDS_PER_TARGET} s each"
pids=()
running=0
for t in "${TARGETS[@]}"; do
  run_target "$t" &
  pids+=("$!:$t")
  running=$((running + 1))
  if [ "$running" -ge "$(nproc)" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait || true

for entry in "${pids[@]}"; do
  t="${entry#*:}"
  execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$LOGS/$t.log" | tail -1)"
  if [ "$(cat "$LOGS/$t.rc" 2>/dev/null || echo 1)" != 0 ] || [ -z "$execs" ] \
     || ls "$FINDINGS/$t-"* > /dev/null 2>&1; then
    echo "fuzz_$t: FINDING (log: $LOGS/$t.log)" >&2
    grep -E 'ERROR|runtime error|fuzz check failed|Test unit written' "$LOGS/$t.log" | head -5 >&2 || true
    status=1
  else
    printf 'fuzz_%-16s %12s executions in %s s, no finding\n' "$t" "$execs" "$SECONDS_PER_TARGET"
  fi
done
exit "$status"
