# A snapshot or a live log that cannot be copied, by root as well: the run ends at once
# with status 0 and the lines that say what failed (the other faults, the unit tests of
# the snapshot pin).
source "$(dirname "$0")/lib.sh"

RUN_LIMIT=10
copy_failed="Error!  Could not copy Windows firewall log to $programdata\\Tolvaren\\Quennet\\kfirewall.log"
expect_copy_failed() { # what
  run_quennet 701,702,703 dt KnockRDP 30 3389
  expect_eq "$status|$(logged "$app/error.log")|$(cat "$QUENNET_COMMAND_RECORD")" \
    "0|$copy_failed"$'\n'"No IP address was returned from correlation|" "status, error.log and commands ($1)"
  rm -f "$app/error.log"
}
write_log "-9 701" "-7 702" "-5 703"

# A folder in the snapshot's place cannot be replaced.
mkdir -p "$snapshot"
expect_copy_failed "a folder in the snapshot's place"
rmdir "$snapshot"

# A live log that the kernel cannot copy and that fails every read (the program's own
# memory at address 0): the copy fails and leaves nothing behind.
rm "$live"
ln -s /proc/self/mem "$live"
expect_copy_failed "a live log that cannot be read"
expect_eq "$(ls -A "$(dirname "$snapshot")")" "" "files in the snapshot folder"
