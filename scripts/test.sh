#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite; a test that fails is reported as failed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
# The whole suite: a part switched off for want of a tool is an error here.
configure=$(cmake --preset dev)
off=$(grep -E '^-- Kelvaro: .* off: ' <<<"$configure" || true)
if [ -n "$off" ]; then
  echo "$off" >&2
  exit 1
fi
cmake --build --preset dev -j"$(nproc)"
ctest --preset dev -j"$(nproc)"
