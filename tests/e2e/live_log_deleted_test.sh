# The live log is deleted during one pause of the wait and is back, caught up, in the
# next: the copy in between finds nothing and says nothing, and the knock is verified.
source "$(dirname "$0")/lib.sh"

start_behind_log 701,702,703 dt KnockRDP 30 3389
mv "$live" "$sandbox/behind.log"
sleep 5
{ cat "$sandbox/behind.log"; log_record 5 53; printf '\r\n'; } > "$live"
finish_run
expect_verified_knock "the log back"
[ ! -e "$app/error.log" ] || fail "error.log written: $(cat "$app/error.log")"
