# A snapshot or a live log that cannot be copied or read, by root as well: every run
# ends at once with status 0 and the lines that say what failed.
source "$(dirname "$0")/lib.sh"

RUN_LIMIT=10
copy_failed="Error!  Could not copy Windows firewall log to $programdata\\Tolvaren\\Quennet\\kfirewall.log"
no_address="No IP address was returned from correlation"
# expect_errors LAST-ARGUMENT LINES: runs the program on the knock and checks its status
# and the lines of error.log, which it then removes.
expect_errors() {
  run_quennet 701,702,703 dt KnockRDP 30 "$1"
  expect_eq "$status|$(logged "$app/error.log")" "0|$2" "status and error.log (line ${BASH_LINENO[0]})"
  rm -f "$app/error.log"
}
write_log "-9 701" "-7 702" "-5 703"

# A folder in the snapshot's place cannot be replaced: no snapshot, no address.
mkdir -p "$snapshot"
expect_errors 3389 "$copy_failed"$'\n'"$no_address"
rmdir "$snapshot"

# A FIFO there would block a reader: the copy replaces it; without a live log it is
# no snapshot at all.
mkfifo "$snapshot"
mv "$live" "$sandbox/pfirewall.log"
expect_errors 3389 "$no_address"
expect_errors 203.0.113.45 ""
mv "$sandbox/pfirewall.log" "$live"
expect_errors 3389 ""
[ -f "$snapshot" ] || fail "the FIFO was not replaced"
expect_opened 203.0.113.45 "the FIFO replaced"

# A link in the snapshot's place is never opened, whatever it points to (here a file
# that would fail every read: the program's own memory at address 0).
mv "$live" "$sandbox/pfirewall.log"
ln -sf /proc/self/mem "$snapshot"
expect_errors 203.0.113.45 "Error!  Could not read log file $programdata\\Tolvaren\\Quennet\\kfirewall.log"

# The same as the live log: the copy fails and leaves nothing behind.
rm "$snapshot"
ln -s /proc/self/mem "$live"
expect_errors 3389 "$copy_failed"$'\n'"$no_address"
expect_eq "$(ls -A "$(dirname "$snapshot")")" "" "files in the snapshot folder"

# A FIFO as the live log counts as no log.
rm "$live"
mkfifo "$live"
expect_errors 3389 "$no_address"
expect_no_commands
