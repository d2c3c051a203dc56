# Runs that open nothing. Without a knock to check the program only makes its folders,
# and --help and --version touch nothing at all; a knock source that is not a single
# address is refused. No address from correlation is pinned by the tests of untrusted
# folders and snapshot faults, a missing EVENTCREATE by the Wine run, a strict knock in
# the wrong order by the client's test, and the rest by the knock steps' unit tests.
source "$(dirname "$0")/lib.sh"

run_quennet --help
[ "$status" == 0 ] && grep -q 'QUENNET_REGISTRY' "$sandbox/stdout" && grep -q -- '--strict' "$sandbox/stdout" ||
  fail "--help: status $status, or no usage of the registry export and --strict"
run_quennet --version
expect_eq "$(cat "$sandbox/stdout")" "quennet 1.0.0" "--version"
[ ! -e "$programdata/Tolvaren" ] || fail "--help or --version made a folder"
run_quennet 701,702,703 dt KnockRDP  # three tokens: nothing to verify
expect_eq "$status|$(ls "$app")|$(ls -A "$programdata/Tolvaren/Quennet" 2>&1)" "0|quennet|" "status and files without a knock"

# A forged log naming something other than one address.
write_log "-9 701 any" "-7 702 any" "-5 703 any"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_eq "$(logged "$app/error.log")" "Error!  Knock source is not an IP address: any" "not an address"
expect_no_commands
