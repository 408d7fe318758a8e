#!/bin/bash
# Wall and processor time of the 1,000 runs x 500 generations study (default parameters, seed 0,
# table to /dev/null) with --jobs 1 and --jobs 2 in alternating pairs, with the one-minute load
# average before each; then the cost of starting workers: a study of two one-generation runs.
# Usage: bench/study_jobs.sh KELVARO-BATCH [PAIRS]
set -euo pipefail
bin=$1
pairs=${2:-5}
timed() {
  local load start end
  load=$(cut -d' ' -f1 /proc/loadavg)
  start=$(date +%s.%N)
  /usr/bin/time -f "%U %S" -o "$times" "$bin" "$@" --decimal-separator , --output /dev/null
  end=$(date +%s.%N)
  read -r user system < "$times"
  echo "$(echo "$end - $start" | bc) $(echo "$user + $system" | bc) $load"
}
times=$(mktemp)
trap 'rm -f "$times"' EXIT
echo "pair jobs wall_s cpu_s load1"
for pair in $(seq "$pairs"); do
  for jobs in 1 2; do
    echo "$pair $jobs $(timed --seed 0 --replicates 1000 --jobs "$jobs")"
  done
done
echo "start-up: jobs wall_s cpu_s load1 (2 runs of 1 generation)"
for pair in $(seq "$pairs"); do
  for jobs in 1 2; do
    echo "$jobs $(timed --seed 0 --replicates 2 --generations 1 --jobs "$jobs")"
  done
done
