# The checks and firewall logs that the end-to-end and Wine tests share.
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
# "SECONDS PORT [SOURCE [ACTION]]", then a record 5 seconds from now, so that the log
# has caught up when the program starts.
write_log() {
  local now entry
  now=$(date +%s)
  {
    log_header
    for entry in "$@" "5 53 192.0.2.20 ALLOW_UDP"; do
      # shellcheck disable=SC2086
      log_record $entry
      printf '\r\n'
    done
  } > "${LOG_PATH:-$live}"
}

# The file's lines without their CR LF and without the date and time in front;
# nothing when it does not exist.
logged() { [ ! -f "$1" ] || sed -E 's/\r$//; s#^[0-9]+/[0-9]+/[0-9]{4}( [0-9]+:[0-9]{2}:[0-9]{2} [AP]M)? ##' "$1"; }

# start_wine FOLDER [DLL-OVERRIDES]: a fresh Wine prefix in FOLDER/prefix, headless and
# quiet, with no Mono or Gecko to install; on exit its server and programs stop and
# FOLDER goes. The server stays up until then, so Wine's background programs start
# once, here, without the caller's standard handles: started later, they would hold
# open a pipe that a run's caller reads.
start_wine() {
  export WINEPREFIX=$1/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=${2:+;$2}"
  unset DISPLAY
  trap "wineserver -k 2>/dev/null || true; rm -rf '$1'" EXIT
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1
  wineboot -i </dev/null >/dev/null 2>&1
}
