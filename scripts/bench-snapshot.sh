#!/usr/bin/env bash
# Launch to picture of `NightvaneGl --snapshot` (the default 1280x800 sky), whole process, with no
# display at all and, in the same run, with an Xvfb display: 11 launches each, medians side by
# side on the last line. usage: scripts/bench-snapshot.sh [BUILD]
# On a machine shared with other work, `chrt -f 10 scripts/bench-snapshot.sh` (as root) keeps the
# other processes out of the figures.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target app_startup_bench NightvaneGl >/dev/null
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  "$build/bin/app_startup_bench" --benchmark_filter='BM_ProcessSnapshot' --benchmark_report_aggregates_only=true
