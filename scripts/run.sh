#!/usr/bin/env bash
# Sets up, builds and starts Kelvaro; without a display, runs the headless runner instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)" --target kelvaro kelvaro-batch
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/kelvaro ]; then
  exec build/kelvaro
fi
echo "Kein Display gefunden: starte den Kommandozeilen-Lauf (kelvaro-batch) mit Standardwerten." >&2
exec build/kelvaro-batch
