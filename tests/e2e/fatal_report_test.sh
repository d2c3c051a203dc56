# A command that cannot be started ends the run with the fatal report and no log line.
source "$(dirname "$0")/lib.sh"

mkdir "$sandbox/bin"
ln -s "$QUENNET_SOURCE/examples/bin/netsh" "$sandbox/bin/netsh"
write_log "-9 701" "-7 702" "-5 703"
PATH="$sandbox/bin:/usr/bin:/bin" run_quennet 701,702,703 dt KnockRDP 30 3389
expect_eq "$status" 1 "exit status"
expect_eq "$(cat "$sandbox/stderr")" "Run-time error '53': File not found" "standard error"
[ ! -e "$app/error.log" ] || fail "error.log written"
expect_no_commands
