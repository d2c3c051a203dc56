# shellcheck shell=bash
# Shared by the Wine tests: the build folder ($1, by default build/windows), one fresh
# headless Wine prefix per script, removed with its server when the script ends, and
# the checks that print one line each.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/windows}

work=$(mktemp -d)
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all                       # also hides the hint about a missing 32-bit Wine
export WINEDLLOVERRIDES='mscoree,mshtml='   # no Mono or Gecko to install
unset DISPLAY                               # headless, even on a desktop
cleanup() {
  wineserver -k 2>/dev/null || true  # this prefix's server and programs only
  rm -rf "$work"
}
trap cleanup EXIT

require_built() {
  local file
  for file in "$@"; do
    [[ -f $build/$file ]] || { echo "missing $build/$file: build the windows preset first" >&2; exit 2; }
  done
}

# The server stays up until cleanup, so Wine's background programs start once, here,
# without the caller's standard handles: started later, they would inherit the pipe
# a test reads and hold it open.
make_prefix() {
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1
  TIMEFORMAT='fresh prefix: %1R s'
  time wineboot -i </dev/null >/dev/null 2>&1
}

failures=0
pass() { echo "ok    $1"; }
failed() {
  echo "FAIL  $1"
  failures=$((failures + 1))
}

# expect WHAT COMMAND...: passes when the command succeeds.
expect() {
  local what=$1
  shift
  if "$@"; then pass "$what"; else failed "$what"; fi
}

# expect_eq ACTUAL EXPECTED WHAT; a failure shows both with control characters visible.
expect_eq() {
  if [[ $1 == "$2" ]]; then
    pass "$3"
  else
    failed "$3"
    printf '      expected: %q\n      actual:   %q\n' "$2" "$1"
  fi
}

finish() {
  if ((failures == 0)); then
    echo "all checks passed"
    exit 0
  fi
  echo "$failures checks failed"
  exit 1
}
