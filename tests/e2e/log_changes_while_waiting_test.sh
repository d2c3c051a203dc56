# The live log or the snapshot folder changes while the program pauses for the log to
# catch up: deleted and back in the next pause, emptied, or the folder removed.
source "$(dirname "$0")/lib.sh"

# Starts the program in the background with these arguments on a live log whose knock
# is 701, 702, 703 and whose newest record is 2 seconds older than the start, and
# returns one second into the 5-second pause that follows the first copy.
start_behind_log() {
  rm -rf "$programdata/Tolvaren"
  LOG_NEWEST=-2 write_log "-9 701" "-7 702" "-5 703"
  (RUN_LIMIT=20 run_quennet "$@" && exit "$status") &
  runner=$!
  for _ in $(seq 200); do [ -e "$snapshot" ] && break; sleep 0.05; done
  [ -e "$snapshot" ] || fail "no snapshot"
  sleep 1
}
finish_run() {
  status=0
  wait "$runner" || status=$?
}

# The copy in between finds nothing and says nothing; the knock is verified.
start_behind_log 701,702,703 dt KnockRDP 30 3389
mv "$live" "$sandbox/behind.log"
sleep 5
{ cat "$sandbox/behind.log"; log_record 5 53; printf '\r\n'; } > "$live"
finish_run
expect_verified_knock "the log deleted, then back"

# The empty copy counts as caught up and holds no knock.
start_behind_log 701,702,703 dt KnockRDP 30 203.0.113.45
: > "$live"
finish_run
expect_eq "$status|$(wc -c < "$snapshot")|$(ls "$app")" "0|0|quennet" "the log emptied: status, snapshot size, files"
expect_no_commands

# The next copy fails and says so once; with no snapshot left nothing is verified.
start_behind_log 701,702,703 dt KnockRDP 30 203.0.113.45
rm -r "$(dirname "$snapshot")"
finish_run
expect_eq "$status|$(logged "$app/error.log")|$(logged "$app/velt.log")" \
  "0|Error!  Could not copy Windows firewall log to $programdata\\Tolvaren\\Quennet\\kfirewall.log|" "the folder removed"
expect_no_commands
