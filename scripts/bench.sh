#!/usr/bin/env bash
# The benchmarks, not tests (scripts/test.sh never runs them). Builds the programs,
# then runs one benchmark of bench/:
#   scripts/bench.sh [--no-cases] [--wine] [--log-mib N] [ROUNDS]
#       bench/throughput.sh (the knock check against the least work the job needs,
#       ROUNDS of each, default 7; with --wine also under Wine), then, unless
#       --no-cases, bench/cases.sh (the Google Benchmark cases)
#   scripts/bench.sh --latency
#       bench/latency.sh (the wait for the port after a knock; about five minutes)
#   scripts/bench.sh --flood N [--flush FLUSH]
#       bench/flood.sh (N runs at once as a busy host's task starts them, the live log
#       flushed every FLUSH seconds, default 2)
set -euo pipefail
cd "$(dirname "$0")/.."

cases=yes
benchmark=throughput
options=()
while [ $# -gt 0 ]; do
  case $1 in
    --no-cases) cases=no ;;
    --latency) benchmark=latency ;;
    --flood) benchmark=flood; options+=("$2"); shift ;;
    --flush) flush=$2; shift ;;
    *) options+=("$1") ;;
  esac
  shift
done

cmake --preset default >/dev/null
cmake --build --preset default --target quennet quennet-knock firewall_standin peak_rss >/dev/null
case $benchmark in
  latency) exec bench/latency.sh ;;
  flood) exec bench/flood.sh "${options[@]}" ${flush:+"$flush"} ;;
esac
bench/throughput.sh "${options[@]}"
[ "$cases" == no ] || bench/cases.sh
