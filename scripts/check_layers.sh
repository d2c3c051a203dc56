#!/usr/bin/env bash
# Fails when product code under src/ includes from a higher layer, or from another
# folder of its own layer. Every include points down. Tests (*_test.cpp) are not
# checked.
set -euo pipefail
cd "$(dirname "$0")/.."

# Top to bottom; the folders of one layer do not include each other.
layers=(
  "app ctl client"                               # the three programs
  "knock"                                        # the subsystems
  "fwlog unlock plan"
  "logging"
  "shared"                                       # what the subsystems share
  "platform/posix platform/win32 platform/fake"  # the seam's implementations
  "registry platform/sockets"                    # what the implementations share
  "reading"                                      # line framing above the file reads
  "platform"                                     # the operating-system seam
  "errors"                                       # the run-time error and its report
  "text"                                         # portable text, dates and numbers
)

declare -A rank
for i in "${!layers[@]}"; do
  for folder in ${layers[$i]}; do rank[$folder]=$i; done
done

# The layer folder of a path below src/, such as platform/posix or knock.
folder_of() {
  local path=$1
  [[ $path == platform/*/* ]] && { echo "${path%/*}"; return; }
  echo "${path%%/*}"
}

failures=0
while IFS= read -r file; do
  from=$(folder_of "${file#src/}")
  [[ -n ${rank[$from]:-} ]] || { echo "$file: the folder $from has no layer in $0" >&2; failures=$((failures + 1)); continue; }
  while IFS= read -r included; do
    to=$(folder_of "$included")
    [[ $to == "$from" ]] && continue
    if [[ -z ${rank[$to]:-} ]] || (( rank[$to] <= rank[$from] )); then
      echo "$file includes \"$included\", which is not below $from" >&2
      failures=$((failures + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files 'src/*.h' 'src/*.cpp' | grep -v '_test\.cpp$')

(( failures == 0 )) || exit 1
echo "ok    every include points down"
