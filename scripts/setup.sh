#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), then configures and builds.
# Usage: scripts/setup.sh [build-dir] [extra cmake args...]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake g++ libgtest-dev libbenchmark-dev qt6-base-dev libgl-dev
          fonts-liberation fonts-dejavu-core xvfb xauth xdotool x11-utils openbox libx11-dev imagemagick
          libqcustomplot-dev libqcustomplot2.1-qt6 parallel clang clang-format clang-tidy libclang-rt-14-dev
          qt6-svg-dev zlib1g-dev python3-pandas python3-scipy python3-statsmodels poppler-utils librsvg2-bin)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

build=${1:-build}
shift || true
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
