#!/usr/bin/env bash
# Builds data/ when it is missing or older than its builder; remakes only the help pages when just
# their sources (resources/help) changed.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x scripts/build-data ] || exit 0
if [ ! -f data/CREDITS ] || [ -n "$(find scripts/build-data scripts/datakit -newer data/CREDITS 2>/dev/null | head -n 1)" ]; then
  echo "Building the data folder..."
  scripts/build-data
elif [ ! -f data/help/index.htm ] || [ -n "$(find resources/help -newer data/help/index.htm 2>/dev/null | head -n 1)" ]; then
  echo "Building the help pages..."
  scripts/build-data --help-pages
fi
