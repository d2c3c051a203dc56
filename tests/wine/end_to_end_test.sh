#!/usr/bin/env bash
# The Windows programs under Wine, in one fresh prefix. The platform probe checks what a
# run cannot show; then the programs run from C:\Quennet with stand-in netsh,
# EVENTCREATE, schtasks, auditpol, cmd, icacls and takeown commands in the system
# folder, which record their command lines. Wine's own wevtutil stays: it prints no
# event (Wine keeps no event log), so the closing task's reading of the log is tested
# on POSIX only; here, that its commands run and read under Windows. Each case writes the firewall log with stamps relative to now,
# so Quennet never waits for it. Build first:
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
older_live_log=$drive_c/windows/pfirewall.log
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
older_rule_command='Netsh firewall add portopening tcp 3389 KnockRDP enable custom 203.0.113.45'

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

logging='netsh advfirewall set allprofiles logging '
host_setup=('auditpol /set /subcategory:{0CCE9225-69AE-11D9-BED3-505054503030} /failure:enable'
  "${logging}filename \"C:\\windows\\system32\\LogFiles\\Firewall\\pfirewall.log\"" "${logging}maxfilesize 32767"
  "${logging}droppedconnections enable")
private=('icacls "C:\Quennet" /inheritance:r /grant:r *S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F'
  'icacls "C:\Quennet\*" /reset /t /c /q')
register='schtasks /create /xml "C:\Quennet\Quennet KnockRDP.xml" /tn "Quennet KnockRDP" /f'

run quennet
check "no arguments: status 0, nothing on standard error" "$status $(<"$work/stderr")" "0 "

# The folders the first run made, opened to everyone, are made private again, or the
# run would refuse them.
chmod 0777 "$drive_c/Data/Tolvaren" "$drive_c/Data/Tolvaren/Quennet"
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

# Each program carries the manifest that names Windows 10 and 11, so Windows 10 reports
# itself as 10.0 and Windows 8 as 6.2: both hosts of the newer firewall, whose log and
# netsh form a run takes (the log in the Windows folder holds another knock), and
# quennetctl makes no link to the log. Server 2003 keeps the older firewall's. Their
# command lines on every host are pinned by the POSIX tests; here, that they reach
# Windows whole.
for exe in quennet quennetctl quennet-knock; do
  manifest=$(x86_64-w64-mingw32-windres -i "$build/$exe.exe" -O rc | sed -n '/^1 24 /,/^END/p')
  check "$exe.exe: the manifest, asInvoker, the five supportedOS" \
    "$(grep -c 'level=""asInvoker""' <<<"$manifest") $(grep -o 'supportedOS Id=""{[0-9a-f-]*}""' <<<"$manifest" | tr -d '"' | tr '\n' ' ')" \
    "1 supportedOS Id={e2011457-1546-43c5-a5fe-008deee3d3f0} supportedOS Id={35138b9a-5d96-4fbd-8e2d-a2440225f93a} supportedOS Id={4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38} supportedOS Id={1f676c76-80e1-4239-95bb-83d0f6d0da78} supportedOS Id={8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a} "
done
saved_version=$(winecfg -v | tr -d '\r')
LOG_PATH=$older_live_log write_log "-9 701 198.51.100.7" "-7 702 198.51.100.7" "-5 703 198.51.100.7"
for version in win10:10.0 win8:6.2.9200; do
  winecfg -v "${version%%:*}" >/dev/null
  knock_log "$live_log"
  run quennet "${knock[@]}"
  check "${version%%:*}: status 0, nothing on standard error" "$status $(<"$work/stderr")" "0 "
  check_commands "$event_command" "$rule_command"
  run quennetctl status KnockRDP
  check "${version%%:*}: the version it reports" "$(grep -c "^Windows reports version ${version#*:}" "$work/stdout")" 1
done
run quennetctl install 701,702,703 dt KnockRDP 30 3389
check "win8: install" "$status" 0
# The recorder ends every query with status 0, so the closing task seems registered.
check_sequence "${host_setup[@]}" "${private[@]}" 'schtasks /query /tn "Quennet KnockRDP" /xml ONE' \
  'schtasks /query /tn "Quennet KnockRDP close" /xml ONE' 'schtasks /delete /tn "Quennet KnockRDP close" /f' "$register"
check "win8: install removed the XML it registered" "$(ls "$app" | grep -c '\.xml$')" 0
run quennetctl task --close-after 30 701,702,703 dt KnockRDP 30 3389
check "win8: task prints two UTF-16 documents" "$(od -An -tx1 "$work/stdout" | tr -d ' \n' | grep -o 'fffe3c003f00' | wc -l)" 2
run quennetctl expire --now 2012-07-17T08:30:00Z KnockRDP 3389 30
check "win8: expire reads through Wine's wevtutil and netsh" "$status $(grep -c '^nothing to close' "$work/stdout")" "0 1"
check_sequence 'netsh advfirewall firewall show rule name=KnockRDP'
winecfg -v win2003 >/dev/null
knock_log "$older_live_log"
LOG_PATH=$live_log write_log "-9 701 198.51.100.7" "-7 702 198.51.100.7" "-5 703 198.51.100.7"
run quennet "${knock[@]}"
check "win2003: status 0, nothing on standard error" "$status $(<"$work/stderr")" "0 "
check_commands "$event_command" "$older_rule_command"
winecfg -v "$saved_version" >/dev/null
rm "$older_live_log"

# The knock page lands in the working folder, under a name with blanks, as written.
run quennetctl page server.example.net 7133,2280,5391
page="$work/Quennet knock server.example.net.html"
check "page: the file, without CR" "$status $(head -c 15 "$page") $(grep -c $'\r' "$page")" "0 <!DOCTYPE html> 0"

rm "$system32/EVENTCREATE.exe"
knock_log "$live_log"
run quennet "${knock[@]}"
check "no EVENTCREATE: the fatal report, no error.log" "$status $(tr -d '\r' <"$work/stderr") $(logged "$app/error.log")" \
  "1 Run-time error '53': File not found "
check_commands
echo "all checks passed"
