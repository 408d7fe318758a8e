#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root): what building and running the program needs,
# with --tests also the tools of the tests, benchmarks, fuzzing and style check.
# Usage: scripts/setup.sh [--tests]
set -euo pipefail

packages=(build-essential cmake qt6-base-dev qt6-svg-dev zlib1g-dev fonts-liberation fonts-dejavu-core)
test_packages=(libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils openbox libx11-dev imagemagick procps
               libqcustomplot-dev libqcustomplot2.1-qt6 parallel clang clang-format clang-tidy libclang-rt-14-dev
               python3-pandas python3-scipy python3-statsmodels poppler-utils librsvg2-bin)
[ "${1:-}" != --tests ] || packages+=("${test_packages[@]}")

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
