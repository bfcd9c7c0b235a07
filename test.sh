#!/usr/bin/env bash
# Installs what is missing, builds the data folder and the programs, and runs every test
# (the GUI tests under Xvfb). Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/ensure-data.sh

JOBS=${JOBS:-$(nproc)}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$JOBS"
XVFB=(xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp")
"${XVFB[@]}" ctest --test-dir build --output-on-failure -j "$JOBS" --timeout 600

# The randomized parser tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNV_SANITIZE=ON -DNV_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j "$JOBS" --target nv_fuzz
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  "${XVFB[@]}" ctest --test-dir build-asan -L fuzz --output-on-failure --timeout 600
