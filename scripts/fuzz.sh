#!/usr/bin/env bash
# Builds the fuzz targets and runs each one in turn for SECONDS (default 60), or only
# the targets named. Each runs over a scratch corpus in build/fuzz/corpus/<target>,
# filled from its checked-in seeds, so what a run learns stays out of the source
# tree. Fails on the first crash, hang, leak or broken property; the input that did
# it is left in build/fuzz/crashes and belongs in fuzz/seeds/<target> once fixed.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift $(($# > 0 ? 1 : 0))

# The longest input worth trying: a small log, or text that holds a few stamps.
declare -A max_len=(
  [date_text_fuzz]=2048
  [fast_scan_fuzz]=4096
)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(date_text_fuzz fast_scan_fuzz)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

out=build/fuzz
mkdir -p "$out/crashes" "$out/logs"
for target in "${targets[@]}"; do
  [ -n "${max_len[$target]:-}" ] || { echo "unknown fuzz target: $target" >&2; exit 2; }
  corpus="$out/corpus/$target"
  mkdir -p "$corpus"
  cp fuzz/seeds/"$target"/* "$corpus/"
  log="$out/logs/$target.log"
  printf '%-22s %4ss ... ' "$target" "$seconds"
  if "$out/fuzz/$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len="${max_len[$target]}" -artifact_prefix="$out/crashes/$target-" -print_final_stats=1 \
      >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2 " runs"}'
  else
    echo "FAILED"
    tail -n 40 "$log"
    echo "full output: $log" >&2
    exit 1
  fi
done
