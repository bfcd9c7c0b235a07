#!/usr/bin/env bash
# Launch to picture of `NightvaneGl --snapshot` (the default 1280x800 sky), whole process, with no
# display at all and, in the same run, with an Xvfb display: 11 launches each, medians side by
# side on the last line. usage: scripts/bench-snapshot.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target app_startup_bench NightvaneGl >/dev/null
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  "$build/bin/app_startup_bench" --benchmark_filter='BM_ProcessSnapshot' --benchmark_report_aggregates_only=true
