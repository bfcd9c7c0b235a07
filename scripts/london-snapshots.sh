#!/usr/bin/env bash
# Renders the two reference views of London, 2026-12-06 22:00 UT, into build/snapshots/:
# facing east-southeast (Orion rising) and facing north (Cassiopeia high, Polaris, the Plough).
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build/bin/NightvaneGl
[ -x "$bin" ] || { echo "build first (./run.sh or ./test.sh)"; exit 1; }
out=build/snapshots
mkdir -p "$out"
common=(--date 2026-12-06 --time 22:00 --zone 0 --lat 51.5 --lon -0.13 --size 1280x800)
run=("$bin")
[ -n "${DISPLAY:-}" ] || run=(xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$bin")
# Yaw 0 faces east and 270 south, so east-southeast (azimuth 112.5) is yaw -22.5.
"${run[@]}" --snapshot "$out/london-ese.bmp" "${common[@]}" --yaw -22.5 --pitch -25
"${run[@]}" --snapshot "$out/london-north.bmp" "${common[@]}" --yaw 100 --pitch -50
