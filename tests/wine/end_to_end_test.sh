#!/usr/bin/env bash
# The Windows program under Wine, in one fresh prefix. The platform probe checks what a
# run cannot show; then the program runs from C:\Quennet beside stand-in netsh, Netsh
# and EVENTCREATE commands (found there before anywhere else) that record their command
# lines. Each case writes the firewall log with stamps relative to now, so the program
# never waits for it. Build first:
#   cmake --preset windows && cmake --build --preset windows
# Usage: tests/wine/end_to_end_test.sh [build folder]
set -euo pipefail

build=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/windows}
recorder=$build/tests/wine/quennet_command_recorder.exe
probe=$build/tests/wine/quennet_platform_probe.exe
for file in "$build/quennet.exe" "$recorder" "$probe"; do
  [[ -f $file ]] || { echo "missing $file: build the windows preset first" >&2; exit 2; }
done

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all   # also hides the hint about a missing 32-bit Wine
export WINEDLLOVERRIDES='mscoree,mshtml='        # no Mono or Gecko to install
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
mkdir -p "$app" "$(dirname "$live_log")" "$drive_c/Data"
cp "$build/quennet.exe" "$app/"
for name in netsh Netsh EVENTCREATE; do cp "$recorder" "$app/$name.exe"; done
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

# check_commands [COMMAND...]: the recorded command lines, each followed by the CR LF
# the stand-in adds. Two commands run side by side, so they may record in either order.
check_commands() {
  local recorded expected="" command
  recorded=$(cat "$record" 2>/dev/null; printf .)  # the dot keeps the last line break
  recorded=${recorded%.}
  for command in "$@"; do expected+=$command$'\r\n'; done
  if (($# == 2)) && [[ $recorded == "$2"$'\r\n'"$1"$'\r\n' ]]; then recorded=$expected; fi
  check "recorded command lines: $#" "$recorded" "$expected"
}

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
# the knock ports refuses the knock, a clean one opens the port.
write_log "$live_log" 701 702 445 703
run_quennet --strict "${knock[@]}"
check "strict, another port between: status 0, no velt.log" "$status $(log_lines "$app/velt.log")" "0 "
check_commands
write_log "$live_log"
run_quennet --strict "${knock[@]}"
check "strict, a clean knock: status 0" "$status" 0
check_commands "$event_command" "$rule_command"

write_log "$live_log" 701 702
run_quennet "${knock[@]}"
check "no address: status 0, error.log, no velt.log" "$status $(log_lines "$app/error.log") $(log_lines "$app/velt.log")" \
  $'0 <now> No IP address was returned from correlation\r '
check_commands

# Windows XP x64 reports 5.2 (Windows Server 2003) and Windows 10, without a manifest
# that names it, 6.2: both hosts get the older firewall's log place and netsh form.
saved_version=$(winecfg -v | tr -d '\r')
for version in winxp64 win10; do
  winecfg -v "$version" >/dev/null
  rm -f "$live_log" "$snapshot"
  write_log "$older_live_log"
  run_quennet "${knock[@]}"
  check "$version: status 0" "$status" 0
  check_commands "$event_command" "$older_rule_command"
done
winecfg -v "$saved_version" >/dev/null
rm "$older_live_log"

check "no eventcreate.exe in Wine's Windows folder" "$(find "$drive_c/windows" -iname eventcreate.exe)" ""
rm "$app/EVENTCREATE.exe"
write_log "$live_log"
run_quennet "${knock[@]}"
check "no EVENTCREATE: the fatal report, no error.log" "$status $(tr -d '\r' <"$work/stderr") $(log_lines "$app/error.log")" \
  "1 Run-time error '53': File not found "
check_commands

((failures == 0)) && echo "all checks passed" || echo "$failures checks failed"
((failures == 0))
