#!/usr/bin/env bash
# Smoke test of the Windows build under Wine, in a fresh Wine prefix: the platform
# probe checks the Win32 services against the system, then the program itself starts
# and ends. Build first:
#   cmake --preset windows && cmake --build --preset windows
# Usage: tests/wine/smoke_test.sh [build folder]
# shellcheck source=tests/wine/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

require_built quennet.exe tests/wine/quennet_platform_probe.exe tests/wine/quennet_command_recorder.exe
make_prefix

expect "platform probe" wine "$build/tests/wine/quennet_platform_probe.exe" 701,702,703 dt KnockRDP 30

# Without arguments the program has nothing to do: it ends normally and reports nothing.
status=0
wine "$build/quennet.exe" >"$work/out.txt" 2>"$work/err.txt" || status=$?
expect_eq "$status [$(cat "$work/err.txt")]" "0 []" "quennet.exe without arguments: status 0, nothing on standard error"
finish
