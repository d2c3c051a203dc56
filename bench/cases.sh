#!/usr/bin/env bash
# The Google Benchmark cases (line_scan_bench.cpp, time_stamps_bench.cpp), built with
# the preset `bench` and run; scripts/bench.sh runs them after the timing.
set -euo pipefail
cmake --preset bench >/dev/null
cmake --build --preset bench --target quennet_bench >/dev/null
build/bench/bench/quennet_bench "$@"
