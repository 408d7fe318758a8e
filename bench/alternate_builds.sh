#!/bin/bash
# Compares benchmark binaries of several builds on a machine whose speed drifts: runs them in
# turn, ROUNDS times, and prints each benchmark's smallest CPU time per binary, in the benchmark's unit.
#
# Usage: bench/alternate_builds.sh FILTER ROUNDS BINARY...
#   e.g. bench/alternate_builds.sh 'Ours3D/50000$' 6 old/bench/chart_series_bench build/bench/chart_series_bench
set -euo pipefail
if [ $# -lt 3 ]; then
    sed -n '2,7p' "$0"
    exit 2
fi
filter=$1
rounds=$2
shift 2
results=$(mktemp)
trap 'rm -f "$results"' EXIT
for _ in $(seq "$rounds"); do
    index=0
    for binary in "$@"; do
        index=$((index + 1))
        QT_QPA_PLATFORM=offscreen QT_FONT_DPI=120 "$binary" --benchmark_min_time=0.3s \
            --benchmark_filter="$filter" --benchmark_format=csv 2>/dev/null |
            tail -n +2 | awk -F, -v build="$index" '{ name = $1; gsub(/"/, "", name); print build, name, $4 }' >>"$results"
    done
done
awk '{ key = $1 " " $2; if (!(key in least) || $3 < least[key]) least[key] = $3 }
     END { for (key in least) printf "%s %.3f\n", key, least[key] }' "$results" | sort
