#!/bin/bash
# Wall time of the 1,000 runs x 500 generations study (default parameters, seed 0, table to
# /dev/null) with --jobs 1 and --jobs 2 in alternating pairs, with the load average before each.
# Usage: bench/study_jobs.sh KELVARO-BATCH [PAIRS]
set -euo pipefail
bin=$1
pairs=${2:-5}
study=(--seed 0 --replicates 1000 --decimal-separator , --output /dev/null)
echo "pair jobs wall_s load1"
for pair in $(seq "$pairs"); do
  for jobs in 1 2; do
    load=$(cut -d' ' -f1 /proc/loadavg)
    start=$(date +%s.%N)
    "$bin" "${study[@]}" --jobs "$jobs"
    end=$(date +%s.%N)
    echo "$pair $jobs $(echo "$end - $start" | bc) $load"
  done
done
