#!/usr/bin/env bash
# Builds data/ when it is missing or older than its builder.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x scripts/build-data ] || exit 0
if [ ! -f data/CREDITS ] || [ -n "$(find scripts/build-data scripts/datakit -newer data/CREDITS 2>/dev/null | head -n 1)" ]; then
  echo "Building the data folder..."
  scripts/build-data
fi
