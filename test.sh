#!/usr/bin/env bash
# Installs what is missing, builds the data folder and the programs, and runs every test (the GUI
# tests under Xvfb). Then the Debian package is built, installed into a scratch root, run and
# removed; and the whole non-GUI suite runs again under AddressSanitizer and
# UndefinedBehaviorSanitizer (clang; float-cast-overflow checked too; leak checking on), followed
# by each reader's fuzzer for a few seconds. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/ensure-data.sh

JOBS=${JOBS:-$(nproc)}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$JOBS"
XVFB=(xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp")
"${XVFB[@]}" ctest --test-dir build --output-on-failure -j "$JOBS" --timeout 600

# The package as a user installs it: installed skycalc and a snapshot with no display.
./scripts/package-test.sh build

# One sanitizer build serves the suite and the fuzzers (FUZZ_SECONDS each, default 15).
CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DNV_FUZZ=ON -DNV_BUILD_BENCH=OFF >/dev/null
cmake --build build-sanitize -j "$JOBS" --target nv_unit_tests nv_fuzz
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize -LE gui --output-on-failure -j "$JOBS" --timeout 600
./scripts/fuzz.sh build-sanitize "${FUZZ_SECONDS:-15}"
