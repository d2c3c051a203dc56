# Runs that open nothing. Without a knock to check the program only makes its folders,
# and --help and --version touch nothing at all. Then no address from correlation, a
# knock source that is not a single address, and a missing EVENTCREATE, which ends the
# run with the fatal report and no log line. Knocks out of order and the like are
# pinned by the knock steps' unit tests.
source "$(dirname "$0")/lib.sh"

write_log "-9 701" "-7 702" "-5 703"
run_quennet --help
[ "$status" == 0 ] && grep -q 'QUENNET_REGISTRY' "$sandbox/stdout" && grep -q -- '--strict' "$sandbox/stdout" ||
  fail "--help: status $status, or no usage of the registry export and --strict"
run_quennet --version
expect_eq "$(cat "$sandbox/stdout")" "quennet 1.0.0" "--version"
[ ! -e "$programdata/Tolvaren" ] || fail "--help or --version made a folder"
for arguments in "" "701,702,703" "701 dt KnockRDP"; do
  # shellcheck disable=SC2086
  run_quennet $arguments
  expect_eq "$status|$(ls "$app")|$(ls -A "$programdata/Tolvaren/Quennet" 2>&1)" "0|quennet|" "status and files after '$arguments'"
done

write_log "-9 701" "-7 702"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_eq "$status|$(logged "$app/error.log")|$(logged "$app/velt.log")" "0|No IP address was returned from correlation|" "no address"
rm "$app/error.log"

# A forged log naming something other than one address.
write_log "-9 701 any" "-7 702 any" "-5 703 any"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_eq "$(logged "$app/error.log")" "Error!  Knock source is not an IP address: any" "not an address"
expect_no_commands

rm "$app"/*.log
write_log "-9 701" "-7 702" "-5 703"
mkdir bin
ln -s "$QUENNET_SOURCE/examples/bin/netsh" bin/netsh
PATH="$sandbox/bin:/usr/bin:/bin" run_quennet 701,702,703 dt KnockRDP 30 3389
expect_eq "$status|$(cat "$sandbox/stderr")|$(logged "$app/error.log")" "1|Run-time error '53': File not found|" "no EVENTCREATE"
expect_no_commands
