#!/usr/bin/env bash
# The Windows programs under Wine, in one fresh prefix. The platform probe checks what a
# run cannot show; then quennet runs from C:\Quennet with stand-in commands in the
# system folder, which record their command lines: one verified knock on the newer
# firewall, 30 runs at once, and the manifest of each program. The command lines of
# every subcommand on every host, the POSIX tests pin. Each case writes the firewall
# log with stamps relative to now, so Quennet never waits for it. Build first:
#   cmake --preset windows && cmake --build --preset windows
# Usage: tests/wine/end_to_end_test.sh [build folder]
set -euo pipefail

build=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/windows}
recorder=$build/tests/wine/quennet_command_recorder.exe
probe=$build/tests/wine/quennet_platform_probe.exe
for file in "$build/quennet.exe" "$build/quennetctl.exe" "$recorder" "$probe"; do
  [[ -f $file ]] || { echo "missing $file: build the windows preset first" >&2; exit 2; }
done

source "$(dirname "${BASH_SOURCE[0]}")/../e2e/checks.sh"
work=$(mktemp -d)
start_wine "$work" 'netsh.exe,schtasks.exe,cmd.exe,icacls.exe=n'  # the stand-ins rather than Wine's own commands
mkdir -p "$work/probe"
# check WHAT ACTUAL EXPECTED
check() { expect_eq "$2" "$3" "$1"; echo "ok    $1"; }

(cd "$work/probe" && wine "$probe") || fail "the platform probe"

drive_c=$WINEPREFIX/drive_c
app=$drive_c/Quennet
live_log=$drive_c/windows/system32/LogFiles/Firewall/pfirewall.log
snapshot=$drive_c/Data/Tolvaren/Quennet/kfirewall.log
export QUENNET_COMMAND_RECORD='C:\Quennet\commands.txt'  # passed on to the commands the program starts
record=$app/commands.txt
system32=$drive_c/windows/system32
mkdir -p "$app" "$(dirname "$live_log")" "$drive_c/Data"
cp "$build/quennet.exe" "$build/quennetctl.exe" "$app/"
for name in netsh EVENTCREATE schtasks auditpol cmd icacls takeown; do cp "$recorder" "$system32/$name.exe"; done
# Copies beside the program and in the current folder would record with their place.
for folder in "$app" "$work"; do cp "$recorder" "$folder/netsh.exe"; cp "$recorder" "$folder/EVENTCREATE.exe"; done
# A folder Wine would not name itself shows that the program reads the value.
wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
  /v 'Common AppData' /d 'C:\Data' /f >/dev/null

knock=("701,702,703" dt KnockRDP 30 3389)
event_command=$'EVENTCREATE /L APPLICATION /SO Quennet /ID 100 /T INFORMATION /D "Quennet - Port Knock Authenticated\r\nRule Name=KnockRDP\r\nIP=203.0.113.45\r\nport=3389"'
rule_command='netsh advfirewall firewall add rule name="KnockRDP" dir=in action=allow protocol=TCP localport=3389 remoteip=203.0.113.45'

# knock_log PATH: a firewall log at PATH with a knock on 701, 702 and 703 from
# 203.0.113.45, a few seconds old, and a record ahead of now. Each knock has gaps of
# its own, so that none has the lines of another, which would open only once.
knocks=0
knock_log() {
  knocks=$((knocks + 1))
  LOG_PATH=$1 write_log "-$((8 + knocks)) 701" "-7 702" "-5 703"
}

# run PROGRAM ARGUMENTS...: runs quennet or quennetctl on a clean slate. The commands
# a run starts inherit its standard output, so the pipe closes only when the last of
# them has ended: by then every started command has recorded.
run() {
  rm -f "$record" "$app"/*.log
  status=0
  (cd "$work" && timeout 100 wine "C:\\Quennet\\$1.exe" "${@:2}") </dev/null 2>"$work/stderr" | cat >"$work/stdout" || status=$?
  echo "--- $1.exe ${*:2}: status $status"
}

# check_sequence [COMMAND...]: the recorded command lines in this order, each followed
# by the CR LF the stand-in adds. A stand-in started from anywhere but system32 would
# record its folder first.
check_sequence() {
  local recorded expected="" command
  recorded=$(cat "$record" 2>/dev/null; printf .)  # the dot keeps the last line break
  recorded=${recorded%.}
  for command in "$@"; do expected+=$command$'\r\n'; done
  check "recorded command lines: $#" "$recorded" "$expected"
}

# Quennet starts its two commands side by side, so they may record in either order.
check_commands() {
  if (($# == 2)) && [[ $(cat "$record" 2>/dev/null) == "$2"$'\r\n'"$1"* ]]; then set -- "$2" "$1"; fi
  check_sequence "$@"
}

knock_log "$live_log"
run quennet "${knock[@]}"
check "verified knock: status 0, no error.log" "$status $(logged "$app/error.log")" "0 "
check_commands "$event_command" "$rule_command"
check "velt.log" "$(logged "$app/velt.log" | wc -l)" 4
check "the snapshot in C:\\Data is a copy of the live log" "$(cmp "$live_log" "$snapshot" 2>&1)" ""

# 30 runs at once on a new knock: their copies take turns, so none fails and none is
# left behind, and the knock opens once. The pipe closes when every run and every
# command they started has ended.
knock_log "$live_log"
rm -f "$record" "$app"/*.log
for _ in {1..30}; do (cd "$work" && timeout 100 wine "C:\\Quennet\\quennet.exe" "${knock[@]}") </dev/null & done 2>/dev/null | cat >/dev/null
check "30 runs at once: no error.log, only the snapshot in its folder" \
  "$(logged "$app/error.log")|$(ls "$(dirname "$snapshot")")" "|kfirewall.log"
check_commands "$event_command" "$rule_command"

# Each program carries the manifest that names Windows 10 and 11, so that Windows 10
# and 8 report their own versions, which choose the newer firewall.
for exe in quennet quennetctl quennet-knock; do
  manifest=$(x86_64-w64-mingw32-windres -i "$build/$exe.exe" -O rc | sed -n '/^1 24 /,/^END/p')
  check "$exe.exe: the manifest, asInvoker, the five supportedOS" \
    "$(grep -c 'level=""asInvoker""' <<<"$manifest") $(grep -o 'supportedOS Id=""{[0-9a-f-]*}""' <<<"$manifest" | tr -d '"' | tr '\n' ' ')" \
    "1 supportedOS Id={e2011457-1546-43c5-a5fe-008deee3d3f0} supportedOS Id={35138b9a-5d96-4fbd-8e2d-a2440225f93a} supportedOS Id={4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38} supportedOS Id={1f676c76-80e1-4239-95bb-83d0f6d0da78} supportedOS Id={8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a} "
done
echo "all checks passed"
