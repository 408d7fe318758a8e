#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, address and undefined sanitizers) in build-fuzz/
# and runs each for SECONDS (default 30) on the seed corpus in fuzz/corpus/<target>/;
# the inputs it finds go to build-fuzz/corpus/<target>/, a failing input to build-fuzz/.
# Usage: scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(integer_text_fuzz text_to_float_fuzz float_to_text_fuzz batch_options_fuzz merge_fuzz)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" --target "${targets[@]}"

for target in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$target"
  echo "== $target, $seconds s"
  (cd build-fuzz && "fuzz/$target" -max_total_time="$seconds" -max_len=256 -print_final_stats=1 \
     -dict="../fuzz/$target.dict" "corpus/$target" "../fuzz/corpus/$target" 2>"$target.log") || {
    tail -n 40 "build-fuzz/$target.log"
    exit 1
  }
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "build-fuzz/$target.log"
done
