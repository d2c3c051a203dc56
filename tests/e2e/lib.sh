# Shared by the end-to-end tests: a sandbox that stands in for a Windows 7 host, with
# the program copied into its own folder (its log files land beside it), a Windows
# folder for the firewall log, a registry export naming the application-data folder,
# and stand-in netsh and EVENTCREATE commands that record their arguments.
set -euo pipefail
: "${QUENNET_BIN:?}" "${QUENNET_SOURCE:?}"

sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
cd "$sandbox"  # whatever a run leaves in its working folder lands here
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

# Prints the live log's header, its blank line included.
log_header() {
  printf '%s\r\n' '#Version: 1.5' '#Software: Microsoft Windows Firewall' '#Time Format: Local' \
    '#Fields: date time action protocol src-ip dst-ip src-port dst-port size tcpflags tcpsyn tcpack tcpwin icmptype icmpcode info path' ''
}

# Prints the record "SECONDS PORT [SOURCE [ACTION]]", stamped SECONDS from $now (the
# current epoch second unless set), without a line end.
log_record() {
  local stamp action=${4:-DROP_TCP}
  stamp=$(date -d "@$((${now:-$(date +%s)} + $1))" '+%Y-%m-%d %H:%M:%S')
  printf '%s %s %s 192.0.2.20 51234 %s 52 S 1234567 0 8192 - - - RECEIVE' "$stamp" "${action/_/ }" "${3:-203.0.113.45}" "$2"
}

# Writes the live log (or LOG_PATH): the header, then one record per argument
# "SECONDS PORT [SOURCE [ACTION]]", then a record LOG_NEWEST seconds (5 unless set)
# from now, so that by default the log has caught up when the program starts.
write_log() {
  local now entry
  now=$(date +%s)
  {
    log_header
    for entry in "$@" "${LOG_NEWEST:-5} 53 192.0.2.20 ALLOW_UDP"; do
      # shellcheck disable=SC2086
      log_record $entry
      printf '\r\n'
    done
  } > "${LOG_PATH:-$live}"
}

# Runs the program; its status, standard output and standard error are kept. The
# commands it starts inherit its standard output, so the pipe closes only when the
# last of them has recorded. A run that does not end within RUN_LIMIT seconds (100
# unless set) fails the test.
run_quennet() {
  status=0
  timeout "${RUN_LIMIT:-100}" "$app/quennet" "$@" 2> "$sandbox/stderr" | cat > "$sandbox/stdout" || status=$?
  [ "$status" != 124 ] || fail "the program did not end within ${RUN_LIMIT:-100} s"
}

# The file's lines without their CR LF and without the date and time in front;
# nothing when it does not exist.
logged() { [ ! -f "$1" ] || sed -E 's/\r$//; s#^[0-9]+/[0-9]+/[0-9]{4}( [0-9]+:[0-9]{2}:[0-9]{2} [AP]M)? ##' "$1"; }

expect_no_commands() { expect_eq "$(cat "$QUENNET_COMMAND_RECORD")" "" "commands started"; }

# Checks that the run verified the knock PORTS (701,702,703 unless given) from
# 203.0.113.45: status 0, its lines in velt.log and none in error.log, and EVENTCREATE
# and netsh started once each. Clears the log files and the record for the next run.
expect_verified_knock() { # what [PORTS]
  local port ports=${2:-701,702,703} velt=""
  for port in ${ports//,/ }; do velt+="Port $port has a match in the firewall log"$'\n'; done
  expect_eq "$status|$(logged "$app/error.log")" "0|" "status and error.log ($1)"
  expect_eq "$(logged "$app/velt.log")" "${velt}All ports have been successfully matched to IP address 203.0.113.45" "velt.log ($1)"
  expect_eq "$(cut -d ' ' -f 1 "$QUENNET_COMMAND_RECORD" | sort)" "EVENTCREATE"$'\n'"netsh" "commands ($1)"
  rm -f "$app"/*.log
  : > "$QUENNET_COMMAND_RECORD"
}
