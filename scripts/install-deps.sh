#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the data builder need.
# Only missing packages are installed, so a second run costs nothing.
set -euo pipefail
PKGS=(qt6-base-dev libqt6opengl6-dev libglu1-mesa-dev libgl1-mesa-dri libgl-dev libegl-dev libegl-mesa0
      xvfb xauth fonts-dejavu-core cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev liberfa-dev
      python3 dpkg-dev file clang libclang-rt-14-dev nodejs npm)
missing=()
for p in "${PKGS[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
# node/npm may come from elsewhere (not Debian): accept any working npm.
if command -v npm >/dev/null 2>&1; then
  tmp=(); for p in "${missing[@]}"; do [[ $p == nodejs || $p == npm ]] || tmp+=("$p"); done
  missing=("${tmp[@]+"${tmp[@]}"}")
fi
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
