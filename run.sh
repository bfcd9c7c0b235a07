#!/usr/bin/env bash
# Installs what is missing, builds, and runs the sky chart. With no display it renders
# one frame off-screen and prints where the picture is.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/ensure-data.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target NightvaneGl
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/NightvaneGl "$@"
fi
out="$PWD/sky.bmp"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" build/bin/NightvaneGl --snapshot "$out" "$@"
echo "No display: the sky was rendered to $out"
