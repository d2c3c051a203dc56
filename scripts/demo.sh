#!/usr/bin/env bash
# Builds Quennet. The knock demonstration follows once the run sequence is in place.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target quennet
echo "Built build/default/quennet."
