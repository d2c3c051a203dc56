# A snapshot or a live log that cannot be copied or read, by root as well: every run
# ends at once with status 0 and the lines that say what failed.
source "$(dirname "$0")/lib.sh"

RUN_LIMIT=10
copy_failed="Error!  Could not copy Windows firewall log to $programdata\\Tolvaren\\Quennet\\kfirewall.log"
no_address="No IP address was returned from correlation"
# The run's error.log lines, after which the file is removed for the next run.
expect_errors() {
  expect_eq "$status" 0 "exit status"
  expect_eq "$(logged "$app/error.log")" "$1" "error.log"
  rm -f "$app/error.log"
}
write_log "-9 701" "-7 702" "-5 703"
mkdir -p "$(dirname "$snapshot")"

# A folder in the snapshot's place cannot be replaced: no snapshot, no address.
mkdir "$snapshot"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_errors "$copy_failed"$'\n'"$no_address"
rmdir "$snapshot"

# A FIFO there would block a reader: the copy replaces it; without a live log it is
# no snapshot at all.
mkfifo "$snapshot"
mv "$live" "$sandbox/pfirewall.log"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_errors "$no_address"
run_quennet 701,702,703 dt KnockRDP 30 203.0.113.45
expect_errors ""
mv "$sandbox/pfirewall.log" "$live"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_errors ""
wait_for_commands 2
[ -f "$snapshot" ] || fail "the FIFO was not replaced"
expect_eq "$(logged "$app/velt.log" | tail -n 1)" \
  "All ports have been successfully matched to IP address 203.0.113.45" "velt.log"
rm "$app/velt.log"
: > "$QUENNET_COMMAND_RECORD"

# A file that opens but fails every read: the program's own memory at address 0.
mv "$live" "$sandbox/pfirewall.log"
ln -sf /proc/self/mem "$snapshot"
run_quennet 701,702,703 dt KnockRDP 30 203.0.113.45
expect_errors "Error!  Could not read log file $programdata\\Tolvaren\\Quennet\\kfirewall.log
error reading log file Path/File access error"

# The same as the live log: the copy fails and leaves nothing behind.
rm "$snapshot"
ln -s /proc/self/mem "$live"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_errors "$copy_failed"$'\n'"$no_address"
expect_eq "$(ls -A "$(dirname "$snapshot")")" "" "files in the snapshot folder"

# A FIFO as the live log counts as no log.
rm "$live"
mkfifo "$live"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_errors "$no_address"
expect_no_commands
