# Shared by the end-to-end tests: a sandbox that stands in for a Windows 7 host, with
# the program copied into its own folder (its log files land beside it), a Windows
# folder for the firewall log, a registry export naming the application-data folder,
# and stand-in netsh and EVENTCREATE commands that record their arguments.
set -euo pipefail
: "${QUENNET_BIN:?}" "${QUENNET_SOURCE:?}"

sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
app="$sandbox/Quennet"
programdata="$sandbox/ProgramData"
snapshot="$programdata/Tolvaren/Quennet/kfirewall.log"
export windir="$sandbox/Windows"
live="$windir/system32/LogFiles/Firewall/pfirewall.log"
mkdir -p "$app" "$programdata" "$(dirname "$live")"
cp "$QUENNET_BIN" "$app/quennet"

export QUENNET_REGISTRY="$sandbox/registry.reg"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"Common AppData"="%s"\r\n' \
  "$programdata" > "$QUENNET_REGISTRY"
export QUENNET_WINDOWS_VERSION=2.6.1.7601
export QUENNET_COMMAND_RECORD="$sandbox/commands.txt"
: > "$QUENNET_COMMAND_RECORD"
export PATH="$QUENNET_SOURCE/examples/bin:$PATH"
unset QUENNET_DEBUG

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

expect_eq() { # actual expected what
  [ "$1" == "$2" ] || fail "$3"$'\n'"  expected: [$2]"$'\n'"  actual:   [$1]"
}

# Writes the live log: a header, then one record per argument "SECONDS PORT [SOURCE
# [ACTION]]" stamped SECONDS from now, then a record a few seconds ahead so that the
# log has caught up when the program starts. Prints nothing.
write_log() {
  local now out entry offset port source action stamp
  now=$(date +%s)
  out=$'#Version: 1.5\r\n#Software: Microsoft Windows Firewall\r\n#Time Format: Local\r\n'
  out+=$'#Fields: date time action protocol src-ip dst-ip src-port dst-port size tcpflags tcpsyn tcpack tcpwin icmptype icmpcode info path\r\n\r\n'
  for entry in "$@" "5 53 192.0.2.20 ALLOW_UDP"; do
    read -r offset port source action <<< "$entry"
    source=${source:-203.0.113.45}
    action=${action:-DROP_TCP}
    stamp=$(date -d "@$((now + offset))" '+%Y-%m-%d %H:%M:%S')
    out+="$stamp ${action/_/ } $source 192.0.2.20 51234 $port 52 S 1234567 0 8192 - - - RECEIVE"$'\r\n'
  done
  printf '%s' "$out" > "${LOG_PATH:-$live}"
}

# Runs the program; its status, standard output and standard error are kept.
run_quennet() {
  status=0
  "$app/quennet" "$@" > "$sandbox/stdout" 2> "$sandbox/stderr" || status=$?
}

# The file's lines without their CR LF; nothing when it does not exist.
lines_of() { [ -f "$1" ] && sed 's/\r$//' "$1" || true; }

# Waits (a few seconds at most) until the stand-in commands have recorded N lines.
wait_for_commands() {
  for _ in $(seq 200); do
    [ "$(wc -l < "$QUENNET_COMMAND_RECORD")" -ge "$1" ] && return 0
    sleep 0.05
  done
  fail "expected $1 recorded command lines, got: $(cat "$QUENNET_COMMAND_RECORD")"
}

# Gives a command that should not run the time it would need, then checks none ran.
expect_no_commands() {
  sleep 0.3
  expect_eq "$(cat "$QUENNET_COMMAND_RECORD")" "" "no command may be started"
}
