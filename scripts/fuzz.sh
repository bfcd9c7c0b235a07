#!/usr/bin/env bash
# Runs each reader's libFuzzer program of a sanitizer build (NV_FUZZ=ON) from its seeds and the
# inputs that once broke a reader, for BUDGET seconds each, or for a number of inputs each
# ("runs=N"). Prints how many inputs each ran; exits non-zero on any finding, whose input is kept
# in BUILD/fuzz/<reader>/ (add it to tests/fuzz/regressions/<reader>/ once the reader is mended).
# usage: scripts/fuzz.sh BUILD [BUDGET]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/fuzz.sh BUILD [SECONDS|runs=N]}
budget=${2:-10}
if [[ $budget == runs=* ]]; then limit=(-runs="${budget#runs=}"); else limit=(-max_total_time="$budget"); fi
shopt -s nullglob
programs=("$(cd "$build" && pwd)"/bin/fuzz_*)
[ ${#programs[@]} -gt 0 ] || { echo "fuzz: no fuzz programs in $build/bin (configure with -DNV_FUZZ=ON)" >&2; exit 1; }
status=0
for exe in "${programs[@]}"; do
  reader=${exe##*/fuzz_}
  work="$build/fuzz/$reader"
  mkdir -p "$work/corpus"
  for kept in tests/fuzz/seeds/"$reader"/* tests/fuzz/regressions/"$reader"/*; do cp -n "$kept" "$work/corpus/"; done
  log="$work/log.txt"
  started=$SECONDS
  if (cd "$work" && ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$exe" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 "${limit[@]}" corpus >log.txt 2>&1); then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $reader: ${runs:-?} inputs in $((SECONDS - started)) s, no finding"
  else
    echo "fuzz $reader: FINDING, see $log" >&2
    tail -40 "$log" >&2
    status=1
  fi
done
exit $status
