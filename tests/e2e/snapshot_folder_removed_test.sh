# The snapshot folder vanishes while the program pauses for the log to catch up: the
# next copy fails and says so once, and with no snapshot left nothing is verified.
source "$(dirname "$0")/lib.sh"

start_behind_log 701,702,703 dt KnockRDP 30 203.0.113.45
rm -r "$(dirname "$snapshot")"
finish_run
expect_eq "$(lines_of "$app/error.log" | sed 's/^.* Error!/Error!/')" \
  "Error!  Could not copy Windows firewall log to $programdata\\Tolvaren\\Quennet\\kfirewall.log" "error.log"
[ ! -e "$app/velt.log" ] || fail "velt.log written"
expect_no_commands
