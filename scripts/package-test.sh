#!/usr/bin/env bash
# Builds the Debian package from a build folder (default: build), checks that this machine has
# every package it depends on, installs it with dpkg into a scratch root, runs the installed
# skycalc and snapshots of the installed NightvaneGl and Tessmoor with no display and no
# NIGHTVANE_DATA (so they must find their installed data folder), then removes it and checks that
# nothing is left.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
(cd "$build" && cpack -G DEB >/dev/null 2>&1) || { echo "package-test: cpack failed" >&2; exit 1; }
deb=$(ls -t "$build"/nightvanegl_*.deb | head -1)
echo "package: $deb ($(du -h "$deb" | cut -f1))"

# What dpkg -i would ask for: every dependency (one of each set of alternatives) installed here.
IFS=',' read -ra deps <<<"$(dpkg-deb -f "$deb" Depends)"
for dep in "${deps[@]}"; do
  found=no
  IFS='|' read -ra alternatives <<<"$dep"
  for alt in "${alternatives[@]}"; do
    name=$(echo "$alt" | sed 's/(.*//; s/ //g')
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed" && found=yes
  done
  [ $found = yes ] || { echo "package-test: dependency not installed here: $dep" >&2; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q libqt6 || { echo "package-test: no Qt 6 dependency" >&2; exit 1; }

root=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$root" "$log"' EXIT
fail() { echo "package-test: $*" >&2; cat "$log" >&2; exit 1; }
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info" "$root/tmp"
touch "$root/var/lib/dpkg/status"
# The scratch root's own package list is empty: its dependencies are this machine's (checked above).
dpkg --root="$root" --force-depends --force-not-root -i "$deb" >"$log" 2>&1 || fail "dpkg -i failed"

out=$(env -u NIGHTVANE_DATA "$root/usr/bin/skycalc" rts --ra 101.2872 --dec -16.7161 --date 2024-02-01 \
      --lat 51.5 --lon -0.13)
[[ $out =~ ^rise\ [0-9.]+\ [0-9:]+$'\n'transit\ [0-9.]+\ [0-9:]+$'\n'set\ [0-9.]+\ [0-9:]+$ ]] ||
  { echo "package-test: installed skycalc answered: $out" >&2; exit 1; }
env -u DISPLAY -u WAYLAND_DISPLAY -u NIGHTVANE_DATA -u QT_QPA_PLATFORM \
  "$root/usr/bin/NightvaneGl" --snapshot "$root/tmp/sky.bmp" --size 320x200 >"$log" 2>&1 ||
  fail "the installed NightvaneGl --snapshot failed"
picture() { [ "$(head -c 2 "$1")" = BM ] && [ "$(stat -c %s "$1")" -eq $((54 + 320 * 3 * 200)) ]; }
picture "$root/tmp/sky.bmp" || fail "the installed snapshot wrote no picture"
files=(usr/share/applications/nightvanegl.desktop usr/share/icons/hicolor/48x48/apps/nightvanegl.png
       usr/share/nightvanegl/data/help/index.htm)
if [ -x "$root/usr/bin/Tessmoor" ]; then
  env -u DISPLAY -u WAYLAND_DISPLAY -u NIGHTVANE_DATA -u QT_QPA_PLATFORM \
    "$root/usr/bin/Tessmoor" --snapshot "$root/tmp/orbits.bmp" --size 320x200 >"$log" 2>&1 ||
    fail "the installed Tessmoor --snapshot failed"
  picture "$root/tmp/orbits.bmp" || fail "the installed Tessmoor wrote no picture"
  files+=(usr/share/applications/tessmoor.desktop usr/share/icons/hicolor/48x48/apps/tessmoor.png
          usr/share/nightvanegl/data/wanderocs.txt)
fi
for f in "${files[@]}"; do
  [ -f "$root/$f" ] || { echo "package-test: $f is not installed" >&2; exit 1; }
done
rm -f "$root/tmp/sky.bmp" "$root/tmp/orbits.bmp"

dpkg --root="$root" --force-not-root -r nightvanegl >"$log" 2>&1 || fail "dpkg -r failed"
left=$(find "$root" -mindepth 1 -path "$root/var" -prune -o -path "$root/tmp" -prune -o -print)
[ -z "$left" ] || { echo "package-test: left after removal:" >&2; echo "$left" >&2; exit 1; }
echo "package-test: installed, ran skycalc and the snapshots with no display, removed cleanly"
