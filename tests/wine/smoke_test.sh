#!/usr/bin/env bash
# Smoke test of the Windows build under Wine, in a fresh Wine prefix: the platform
# probe checks the Win32 services against the system, then the program itself starts
# and ends. Build first:
#   cmake --preset windows && cmake --build --preset windows
# Usage: tests/wine/smoke_test.sh [build folder]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/windows}
for exe in quennet.exe tests/wine/quennet_platform_probe.exe tests/wine/quennet_command_recorder.exe; do
  [[ -f $build/$exe ]] || { echo "missing $build/$exe: build the windows preset first" >&2; exit 2; }
done

work=$(mktemp -d)
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all                       # also hides the hint about a missing 32-bit Wine
export WINEDLLOVERRIDES='mscoree,mshtml='   # no Mono or Gecko to install
unset DISPLAY                               # headless, even on a desktop
cleanup() {
  wineserver -k 2>/dev/null || true  # this prefix's server only
  rm -rf "$work"
}
trap cleanup EXIT

TIMEFORMAT='fresh prefix: %1R s'
time wineboot -i >/dev/null 2>&1

failed=0
wine "$build/tests/wine/quennet_platform_probe.exe" 701,702,703 dt KnockRDP 30 || failed=1

# Without arguments the program has nothing to do: it ends normally and reports nothing.
status=0
wine "$build/quennet.exe" >"$work/out.txt" 2>"$work/err.txt" || status=$?
if [[ $status -eq 0 && ! -s $work/err.txt ]]; then
  echo "ok    quennet.exe without arguments ends with status 0"
else
  echo "FAIL  quennet.exe without arguments: status $status, stderr: $(cat "$work/err.txt")"
  failed=1
fi
exit $failed
