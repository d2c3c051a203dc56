# A knock among lines that are no records: NUL bytes, a 10 MiB line, stamps that are
# no dates, bytes beyond ASCII; with CR LF line ends, and again with LF alone and no
# line end at the end. The sound knock lines are verified all the same.
source "$(dirname "$0")/lib.sh"

RUN_LIMIT=20
now=$(date +%s)
bad_stamp() { # SOURCE PORT
  printf '2012-13-45 25:61:61 DROP TCP %s 192.0.2.20 51234 %s 52 S 1234567 0 8192 - - - RECEIVE\r\n' "$@"
}
ten_mebibytes_of() { head -c $((10 * 1024 * 1024)) < <(yes "$1") | tr '\n' ' '; }
knock_among_faults() {
  log_header
  head -c 4096 /dev/zero
  printf '\r\n'
  # A 10 MiB line from another address, and one whose action text and port come last.
  log_record -10 701 198.51.100.9
  ten_mebibytes_of pad
  printf '\r\n'
  ten_mebibytes_of 701
  printf 'DROP TCP 198.51.100.9 192.0.2.20 51234 701 52\r\n'
  bad_stamp 203.0.113.45 701
  printf 'caf\xe9 \x80\x81\xfe\xff \x01\x1f\x7f\r\n'
  for entry in "-9 701" "-7 702" "-5 703"; do
    # shellcheck disable=SC2086
    log_record $entry
    printf '\r\n'
  done
  # Correlation would take this last 703 from another address if it read its stamp.
  bad_stamp 198.51.100.66 703
  log_record 5 53 192.0.2.20 ALLOW_UDP
  printf '\r\n'
}

{ knock_among_faults; bad_stamp 198.51.100.66 53; printf 'torn\0\0\0write\r\n'; } > "$live"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_verified_knock "CR LF"
knock_among_faults | tr -d '\r' | head -c -1 > "$live"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_verified_knock "LF alone"
