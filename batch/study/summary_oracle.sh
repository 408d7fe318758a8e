#!/bin/bash
# Every figure of the summaries of small studies against pandas, SciPy and statsmodels
# (summary_oracle.py): dying out in some, all and none of the runs, one-run sets, a set whose
# runs all fail, recording every K-th generation, a gzip table read by pandas as is.
# Usage: summary_oracle.sh KELVARO-BATCH
set -euo pipefail
bin=$1
oracle=$(dirname "$0")/summary_oracle.py
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
check() {
  local name=$1
  shift
  status=0
  "$bin" "$@" --output "$dir/$name.csv.gz" --summary "$dir/$name-summary.csv" 2>"$dir/$name.err" || status=$?
  if [ "$status" -gt 1 ]; then cat "$dir/$name.err"; exit 1; fi
  echo "$name:"
  /usr/bin/python3 "$oracle" "$dir/$name.csv.gz" "$dir/$name-summary.csv"
}
# kill factor 0: none die; 8: some; 30: all (sexual and asexual).
check sweep --seed 5 --replicates 15 --generations 120 --every 7 --sweep "kill-factor=0;1;8;30"
check one-run --seed 6 --replicates 1 --generations 40 --sweep "kill-factor=1;8;30" --sweep "mutation-rate=3;9"
# The empty gene's runs all fail; a decimal comma in the table.
check failed --seed 7 --replicates 4 --generations 30 --sweep "gene=;ACG;GGGCCC" --decimal-separator ,
