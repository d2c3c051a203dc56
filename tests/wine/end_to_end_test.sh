#!/usr/bin/env bash
# End-to-end tests of the Windows program under Wine, all in one fresh prefix. The
# program sits in C:\Quennet beside stand-in netsh, Netsh and EVENTCREATE commands
# (found there before anywhere else) that record their command lines; each case writes
# the firewall log with stamps relative to now, so the program never waits for it.
# Build first:
#   cmake --preset windows && cmake --build --preset windows
# Usage: tests/wine/end_to_end_test.sh [build folder]
# shellcheck disable=SC2317  # the cases are called by name, through run_case
# shellcheck source=tests/wine/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

require_built quennet.exe tests/wine/quennet_command_recorder.exe
make_prefix

drive_c=$WINEPREFIX/drive_c
app=$drive_c/Quennet
live_log=$drive_c/windows/system32/LogFiles/Firewall/pfirewall.log
older_live_log=$drive_c/windows/pfirewall.log
export QUENNET_COMMAND_RECORD='C:\Quennet\commands.txt'  # passed on to the commands the program starts
record=$app/commands.txt

knock=("701,702,703" dt KnockRDP 30 3389)
event_command=$'EVENTCREATE /L APPLICATION /SO Quennet /ID 100 /T INFORMATION /D "Quennet - Port Knock Authenticated\r\nRule Name=KnockRDP\r\nIP=203.0.113.45\r\nport=3389"'
rule_command='netsh advfirewall firewall add rule name="KnockRDP" dir=in action=allow protocol=TCP localport=3389 remoteip=203.0.113.45'
older_rule_command='Netsh firewall add portopening tcp 3389 KnockRDP enable custom 203.0.113.45'

install_stand_ins() {
  local name
  for name in netsh Netsh EVENTCREATE; do cp "$build/tests/wine/quennet_command_recorder.exe" "$app/$name.exe"; done
}

# write_log PATH ENTRY...: a firewall log with CR LF lines, one dropped TCP record from
# 203.0.113.45 per "SECONDS PORT" entry, stamped SECONDS from now, then a record a few
# seconds ahead so that the log has caught up when the program starts.
write_log() {
  local path=$1 now entry offset port action
  shift
  now=$(date +%s)
  {
    printf '#Version: 1.5\r\n#Software: Microsoft Windows Firewall\r\n#Time Format: Local\r\n'
    printf '#Fields: date time action protocol src-ip dst-ip src-port dst-port size tcpflags tcpsyn tcpack tcpwin icmptype icmpcode info path\r\n\r\n'
    for entry in "$@" "5 53 ALLOW UDP"; do
      read -r offset port action <<<"$entry"
      printf '%s %s 203.0.113.45 192.0.2.20 51234 %s 52 S 1234567 0 8192 - - - RECEIVE\r\n' \
        "$(date -d "@$((now + offset))" '+%Y-%m-%d %H:%M:%S')" "${action:-DROP TCP}" "$port"
    done
  } >"$path"
}

write_knock() { write_log "$1" "-9 701" "-7 702" "-5 703"; }

# Runs the program on a clean slate. The commands it starts inherit its standard
# output, so the pipe closes only when the last of them has ended: by then every
# started command has recorded.
run_quennet() {
  rm -f "$record" "$app"/*.log
  set +e
  (cd "$work" && timeout 100 wine 'C:\Quennet\quennet.exe' "$@") </dev/null 2>"$work/stderr" | cat >"$work/stdout"
  status=${PIPESTATUS[0]}
  set -e
  echo "--- quennet.exe $*: status $status$( ((status == 124)) && echo ', did not end within 100 s')"
  if [[ -s $work/stderr ]]; then echo "--- standard error: $(tr -d '\r' <"$work/stderr")"; fi
}

# A log file with its leading date and time (the host's general format) as <now>.
log_lines() { sed -E 's#^[0-9]{1,2}/[0-9]{1,2}/[0-9]{4} [0-9]{1,2}:[0-9]{2}:[0-9]{2} [AP]M #<now> #' "$1" 2>/dev/null || true; }

# expect_commands [COMMAND...]: the recorded command lines, each followed by the CR LF
# the stand-in adds. Two commands run side by side, so they may record in either order.
expect_commands() {
  local recorded expected="" command
  recorded=$(cat "$record" 2>/dev/null; printf .)  # the dot keeps the last line break
  recorded=${recorded%.}
  for command in "$@"; do expected+=$command$'\r\n'; done
  if (($# == 2)) && [[ $recorded == "$2"$'\r\n'"$1"$'\r\n' ]]; then recorded=$expected; fi
  expect_eq "$recorded" "$expected" "recorded command lines: $#"
}

case_verified_knock() {
  write_knock "$live_log"
  run_quennet "${knock[@]}"
  expect_eq "$status" 0 "exit status"
  expect_commands "$event_command" "$rule_command"
  expect_eq "$(log_lines "$app/velt.log")" $'<now> Port 701 has a match in the firewall log\r
<now> Port 702 has a match in the firewall log\r
<now> Port 703 has a match in the firewall log\r
<now> All ports have been successfully matched to IP address 203.0.113.45\r' "velt.log"
  expect "no error.log" test ! -e "$app/error.log"
  expect "snapshot $snapshot_name is a copy of the live log" cmp -s "$live_log" "$snapshot"
}

# Windows XP x64 reports 5.2 (Windows Server 2003) and Windows 10, without a manifest
# that names it, 6.2: both hosts get the older firewall's log place and netsh form.
case_older_firewall() {
  local saved version
  saved=$(winecfg -v | tr -d '\r')
  rm -f "$live_log"
  for version in winxp64 win10; do
    winecfg -v "$version" >/dev/null
    echo "--- Wine's Windows version: $version"
    write_knock "$older_live_log"
    run_quennet "${knock[@]}"
    expect_eq "$status" 0 "exit status"
    expect_commands "$event_command" "$older_rule_command"
  done
  winecfg -v "$saved" >/dev/null
  rm "$older_live_log"
}

case_no_address() {
  write_log "$live_log" "-9 701" "-7 702"
  run_quennet "${knock[@]}"
  expect_eq "$status" 0 "exit status"
  expect_eq "$(log_lines "$app/error.log")" $'<now> No IP address was returned from correlation\r' "error.log"
  expect "no velt.log" test ! -e "$app/velt.log"
  expect_commands
}

case_missing_command() {
  expect "no eventcreate.exe in the Windows folder, so the command is missing" \
    test -z "$(find "$drive_c/windows" -iname eventcreate.exe)"
  rm "$app/EVENTCREATE.exe"
  write_knock "$live_log"
  run_quennet "${knock[@]}"
  local stderr
  stderr=$(<"$work/stderr")
  expect_eq "$status" 1 "exit status"
  expect_eq "${stderr%$'\r'}" "Run-time error '53': File not found" "standard error"
  expect "no error.log" test ! -e "$app/error.log"
  expect_commands
  install_stand_ins
}

run_case() {
  echo "=== $1"
  TIMEFORMAT="--- $1: %1R s"
  time "case_$1"
}

# The program takes its application-data folder from this value; a prefix without it
# is not a host the program is made for.
appdata=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' /v 'Common AppData' \
  2>/dev/null | tr -d '\r' | sed -n 's/^ *Common AppData *REG_SZ *//p' || true)
if [[ -z $appdata ]]; then
  echo "FAIL  Wine's registry has no string value \"Common AppData\" under" \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders; it is not added here'
  exit 1
fi
snapshot_name="$appdata\\Tolvaren\\Quennet\\kfirewall.log"
snapshot=$(winepath -u "$snapshot_name" | tr -d '\r')
echo "Common AppData: $appdata"

mkdir -p "$app" "$(dirname "$live_log")"
cp "$build/quennet.exe" "$app/"
install_stand_ins
for name in verified_knock older_firewall no_address missing_command; do run_case "$name"; done
finish
