# The live log is emptied while the program pauses for it to catch up: the empty copy
# counts as caught up and holds no knock.
source "$(dirname "$0")/lib.sh"

start_behind_log 701,702,703 dt KnockRDP 30 203.0.113.45
: > "$live"
finish_run
[ ! -s "$snapshot" ] || fail "the emptied log was not copied"
expect_eq "$(ls "$app")" "quennet" "no log file"
expect_no_commands
