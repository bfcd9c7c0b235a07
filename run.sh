#!/usr/bin/env bash
# Installs what is missing, builds, and runs the sky chart. With no display it renders
# one frame off-screen (no X server needed) and prints where the picture is.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/ensure-data.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target NightvaneGl
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/NightvaneGl "$@"
fi
# No display: the snapshot needs none (Mesa's surfaceless EGL context), and no Xvfb either.
out="$PWD/sky.bmp"
build/bin/NightvaneGl --snapshot "$out" "$@"
echo "No display: the sky was rendered to $out"
