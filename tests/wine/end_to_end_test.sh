#!/usr/bin/env bash
# The Windows programs under Wine, in one fresh prefix. The platform probe checks what a
# run cannot show; then the programs run from C:\Quennet with stand-in netsh,
# EVENTCREATE, schtasks, auditpol and cmd commands in the system folder, which record
# their command lines. Each case writes the firewall log with stamps relative to now,
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

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all   # also hides the hint about a missing 32-bit Wine
# No Mono or Gecko to install; the stand-ins rather than Wine's own commands.
export WINEDLLOVERRIDES='mscoree,mshtml=;netsh.exe,schtasks.exe,cmd.exe=n'

unset DISPLAY                                    # headless, even on a desktop
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT  # this prefix's server and programs only
# The server stays up until the end, so Wine's background programs start once, here,
# without our standard handles: started later, they would hold open the pipe a run reads.
mkdir -p "$WINEPREFIX" "$work/probe"
wineserver -p </dev/null >/dev/null 2>&1
wineboot -i </dev/null >/dev/null 2>&1

failures=0
# check WHAT ACTUAL EXPECTED; a failure shows both with control characters visible.
check() {
  if [[ $2 == "$3" ]]; then echo "ok    $1"; return; fi
  echo "FAIL  $1"
  printf '      expected: %q\n      actual:   %q\n' "$3" "$2"
  failures=$((failures + 1))
}

(cd "$work/probe" && wine "$probe") || failures=$((failures + 1))

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
for name in netsh EVENTCREATE schtasks auditpol cmd; do cp "$recorder" "$system32/$name.exe"; done
# Copies beside the program and in the current folder would record with their place.
for folder in "$app" "$work"; do cp "$recorder" "$folder/netsh.exe"; cp "$recorder" "$folder/EVENTCREATE.exe"; done
# A folder Wine would not name itself shows that the program reads the value.
wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
  /v 'Common AppData' /d 'C:\Data' /f >/dev/null

knock=("701,702,703" dt KnockRDP 30 3389)
event_command=$'EVENTCREATE /L APPLICATION /SO Quennet /ID 100 /T INFORMATION /D "Quennet - Port Knock Authenticated\r\nRule Name=KnockRDP\r\nIP=203.0.113.45\r\nport=3389"'
rule_command='netsh advfirewall firewall add rule name="KnockRDP" dir=in action=allow protocol=TCP localport=3389 remoteip=203.0.113.45'
older_rule_command='Netsh firewall add portopening tcp 3389 KnockRDP enable custom 203.0.113.45'

# write_log PATH [PORT...]: a firewall log with CR LF lines, dropped TCP records from
# 203.0.113.45 for the ports (701 702 703 unless given), 9, 7 and 5 seconds old, then a
# record 5 seconds ahead so that the log has caught up when the program starts.
write_log() {
  local path=$1 now offset=-9 port
  shift
  (($#)) || set -- 701 702 703
  now=$(date +%s)
  {
    printf '#Version: 1.5\r\n#Fields: date time action protocol src-ip dst-ip src-port dst-port\r\n\r\n'
    for port in "$@" 53; do
      ((port == 53)) && offset=5
      printf '%s DROP TCP 203.0.113.45 192.0.2.20 51234 %s 52 S 1234567 0 8192 - - - RECEIVE\r\n' \
        "$(date -d "@$((now + offset))" '+%Y-%m-%d %H:%M:%S')" "$port"
      offset=$((offset + 2))
    done
  } >"$path"
}

# Runs the program on a clean slate. The commands it starts inherit its standard
# output, so the pipe closes only when the last of them has ended: by then every
# started command has recorded.
run_quennet() {
  rm -f "$record" "$app"/*.log
  status=0
  (cd "$work" && timeout 100 wine 'C:\Quennet\quennet.exe' "$@") </dev/null 2>"$work/stderr" | cat >/dev/null || status=$?
  echo "--- quennet.exe $*: status $status"
}

# A log file's lines with their leading date and time (the host's general format) as <now>.
log_lines() { sed -E 's#^[0-9]{1,2}/[0-9]{1,2}/[0-9]{4} [0-9]{1,2}:[0-9]{2}:[0-9]{2} [AP]M #<now> #' "$1" 2>/dev/null || true; }

# Runs quennetctl on a clean record; it waits for the commands it starts.
run_ctl() {
  rm -f "$record"
  status=0
  (cd "$work" && timeout 100 wine 'C:\Quennet\quennetctl.exe' "$@") </dev/null >"$work/stdout" 2>"$work/stderr" || status=$?
  echo "--- quennetctl.exe $*: status $status"
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
log_link=('cmd /c if exist "C:\windows\pfirewall.log" del "C:\windows\pfirewall.log"'
  'cmd /c mklink "C:\windows\pfirewall.log" "C:\windows\system32\LogFiles\Firewall\pfirewall.log"')
register='schtasks /create /xml "C:\Quennet\Quennet KnockRDP.xml" /tn "Quennet KnockRDP" /f'

run_quennet
check "no arguments: status 0, nothing on standard error" "$status $(<"$work/stderr")" "0 "

# The folders the first run made, opened to everyone, are made private again.
chmod 0777 "$drive_c/Data/Tolvaren" "$drive_c/Data/Tolvaren/Quennet"
write_log "$live_log"
run_quennet "${knock[@]}"
check "verified knock: status 0, no error.log" "$status $(log_lines "$app/error.log")" "0 "
check_commands "$event_command" "$rule_command"
check "velt.log" "$(log_lines "$app/velt.log")" $'<now> Port 701 has a match in the firewall log\r
<now> Port 702 has a match in the firewall log\r
<now> Port 703 has a match in the firewall log\r
<now> All ports have been successfully matched to IP address 203.0.113.45\r'
check "the snapshot in C:\\Data is a copy of the live log" "$(cmp "$live_log" "$snapshot" 2>&1)" ""
(cd "$work/probe" && wine "$probe" 'C:\Data\Tolvaren' 'C:\Data\Tolvaren\Quennet') || failures=$((failures + 1))

# --strict comes off the Windows command line before the tokens: another port between
# the knock ports refuses the knock.
write_log "$live_log" 701 702 445 703
run_quennet --strict "${knock[@]}"
check "strict, another port between: status 0, no velt.log" "$status $(log_lines "$app/velt.log")" "0 "
check_commands

# quennetctl's command lines on every host are pinned by its POSIX test; here, that
# they reach Windows whole, and that a failing command is named.
QUENNET_FAIL_COMMAND=EVENTCREATE run_ctl close KnockRDP 3389
check "a failing EVENTCREATE: status 1, named" "$status $(grep -c '^quennetctl close: failed: exit status 1 from: EVENTCREATE ' "$work/stderr")" "1 1"

# Windows 10, without a manifest that names it, reports 6.2: the older firewall's log
# place and netsh form, and quennetctl links the log to where Quennet reads it.
saved_version=$(winecfg -v | tr -d '\r')
winecfg -v win10 >/dev/null
rm -f "$live_log" "$snapshot"
write_log "$older_live_log"
run_quennet "${knock[@]}"
check "win10: status 0, nothing on standard error" "$status $(<"$work/stderr")" "0 "
check_commands "$event_command" "$older_rule_command"
run_ctl install 701,702,703 dt KnockRDP 30 3389
check "win10: install" "$status" 0
check_sequence "${host_setup[@]}" "${log_link[@]}" "$register"
run_ctl task 701,702,703 dt KnockRDP 30 3389  # what install registers, byte for byte
check "win10: task prints the XML file" "$(cmp "$work/stdout" "$app/Quennet KnockRDP.xml" 2>&1)" ""
winecfg -v "$saved_version" >/dev/null
rm "$older_live_log"

rm "$system32/EVENTCREATE.exe"
write_log "$live_log"
run_quennet "${knock[@]}"
check "no EVENTCREATE: the fatal report, no error.log" "$status $(tr -d '\r' <"$work/stderr") $(log_lines "$app/error.log")" \
  "1 Run-time error '53': File not found "
check_commands

((failures == 0)) && echo "all checks passed" || echo "$failures checks failed"
((failures == 0))
