#!/usr/bin/env bash
# Fails when a C++ file of the project does not follow .clang-format; with --fix it
# formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/apt_install.sh

command -v clang-format >/dev/null || apt_install clang-format clang-format || exit 1
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'fuzz/*.cpp' 'fuzz/*.h' 'bench/*.cpp' 'bench/*.h' \
  'standins/*.cpp' 'tests/*.cpp' 'tests/*.h')
if [[ ${1:-} == --fix ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi
clang-format --dry-run -Werror "${files[@]}"
echo "ok    every C++ file follows .clang-format"
