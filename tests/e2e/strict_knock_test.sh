# Strict knocks over logs written the way Windows writes them. A port sweep that
# verifies a knock in the defined mode opens nothing with --strict, unless the knock
# ports are adjacent and ascending. The knock steps' own rules, such as a port counting
# only as the destination port, are pinned by their unit tests.
source "$(dirname "$0")/lib.sh"

run_quennet --help
grep -q -- '--strict' "$sandbox/stdout" || fail "--help does not document --strict"

expect_refused() { # what [error.log]
  expect_eq "$status|$(logged "$app/error.log")|$(logged "$app/velt.log")|$(cat "$QUENNET_COMMAND_RECORD")" \
    "0|${2:-}||" "status, error.log, velt.log and commands ($1)"
  rm -f "$app"/*.log
}

sweep=()
for port in $(seq 690 720); do sweep+=("-5 $port"); done
write_log "${sweep[@]}"
run_quennet 701,705,712 dt KnockRDP 30 3389
expect_verified_knock "a sweep in the defined mode" 701,705,712
QUENNET_DEBUG=1 run_quennet --strict 701,705,712 dt KnockRDP 30 3389
expect_eq "$(logged "$app/Debug.log" | sed -n '1p;/spoiled/p' | sed 's/:2.*//')" " -  --strict 701,705,712 dt KnockRDP 30 3389
 -  Strict knock spoiled by port 702 between ports 701 and 705" "why the sweep was refused"
expect_refused "a sweep with --strict"
run_quennet --strict 701,702,703 dt KnockRDP 30 3389
expect_verified_knock "a sweep over adjacent ascending ports with --strict"

# The sample: a retransmit on 701, another address between 702 and 703, then the
# knocker's allowed connection to 3389.
"$QUENNET_SOURCE/examples/restamp-log.sh" "2012-07-17 10:16:56" "$(date +%s)" < "$QUENNET_SOURCE/examples/pfirewall.log" > "$live"
run_quennet --strict 701,702,703 dt KnockRDP 30 3389
expect_verified_knock "the sample log"

# The address in token 5 spares correlation, which would find 198.51.100.7.
write_log "-9 701" "-8 445 198.51.100.7" "-7 702" "-5 703" "-4 703 198.51.100.7"
run_quennet --strict 701,702,703 dt KnockRDP 30 203.0.113.45 3389
expect_verified_knock "an address in token 5"
