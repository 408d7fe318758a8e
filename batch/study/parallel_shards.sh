#!/bin/bash
# A study spread over GNU parallel in four shards (two of them gzip) and merged equals the study
# run at once.
# Usage: parallel_shards.sh KELVARO-BATCH
set -euo pipefail
bin=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
study=(--seed 21 --replicates 4 --generations 60 --every 5 --sweep "kill-factor=0,5;1;1,5" --decimal-separator ,)
"$bin" "${study[@]}" --output "$dir/whole.csv" --summary "$dir/whole-summary.csv"
parallel --will-cite -q "$bin" "${study[@]}" --jobs 1 --shard {}/4 --output "$dir/part{}.csv{= \$_ = \$_ > 2 ? '.gz' : '' =}" ::: 1 2 3 4
"$bin" merge "$dir"/part[12].csv "$dir"/part[34].csv.gz --output "$dir/merged.csv" --summary "$dir/merged-summary.csv"
cmp "$dir/whole.csv" "$dir/merged.csv"
cmp "$dir/whole-summary.csv" "$dir/merged-summary.csv"
test "$(wc -l < "$dir/whole.csv")" -eq $((1 + 3 * 4 * 12 * 2))
