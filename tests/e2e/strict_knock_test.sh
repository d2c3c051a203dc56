# Strict knocks over logs written the way Windows writes them. A port sweep that
# verifies a knock in the defined mode opens nothing with --strict, unless the knock
# ports are adjacent and ascending; a port counts only as the destination port; any
# other packet of the knocking address between the knock ports spoils the attempt,
# while retransmits, packets after the knock and another address's packets do not,
# and a clean attempt after a spoiled one verifies.
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

write_log "-9 701" "-9 701" "-7 702" "-7 702" "-5 703" "-5 703" "-4 3389"
run_quennet --strict 701,702,703 dt KnockRDP 30 3389
expect_verified_knock "retransmits and a later packet to 3389"
# The sample: a retransmit on 701, another address between 702 and 703, then the
# knocker's allowed connection to 3389.
"$QUENNET_SOURCE/examples/restamp-log.sh" "2012-07-17 10:16:56" "$(date +%s)" < "$QUENNET_SOURCE/examples/pfirewall.log" > "$live"
run_quennet --strict 701,702,703 dt KnockRDP 30 3389
expect_verified_knock "the sample log"

# Every record comes from source port 51234 and has the size 52.
write_log "-9 445" "-7 702" "-5 703"
run_quennet 51234,702,703 dt KnockRDP 30 3389
expect_verified_knock "the source port in the defined mode" 51234,702,703
run_quennet --strict 51234,702,703 dt KnockRDP 30 3389
expect_refused "the source port with --strict"
write_log "-9 701" "-7 702" "-5 445"
run_quennet 701,702,52 dt KnockRDP 30 3389
expect_verified_knock "the size in the defined mode" 701,702,52
run_quennet --strict 701,702,52 dt KnockRDP 30 3389
expect_refused "the size with --strict" "No IP address was returned from correlation"

spoiled=("-15 701" "-14 702" "-13 445" "-12 703")
write_log "${spoiled[@]}"
run_quennet --strict 701,702,703 dt KnockRDP 30 3389
expect_refused "another port between the second and third knock"
write_log "${spoiled[@]}" "-9 701" "-7 702" "-5 703"
run_quennet --strict 701,702,703 dt KnockRDP 30 3389
expect_verified_knock "a clean attempt after a spoiled one"

# The address in token 5 spares correlation, which would find 198.51.100.7.
clean=("-9 701" "-8 445 198.51.100.7" "-7 702" "-5 703" "-4 703 198.51.100.7")
write_log "${clean[@]}"
run_quennet --strict 701,702,703 dt KnockRDP 30 203.0.113.45 3389
expect_verified_knock "an address in token 5"
write_log "${clean[@]:0:3}" "-6 22" "${clean[@]:3}"
run_quennet --strict 701,702,703 dt KnockRDP 30 203.0.113.45 3389
expect_refused "an address in token 5, another port between"

rm "$live" "$snapshot"
export QUENNET_WINDOWS_VERSION=2.5.1.2600
LOG_PATH="$windir/pfirewall.log" write_log "-9 701" "-7 702" "-7 702" "-5 703"
run_quennet --strict 701,702,703 dt KnockRDP 30 3389
expect_eq "$status $(grep '^Netsh' "$QUENNET_COMMAND_RECORD")" \
  "0 Netsh [firewall] [add] [portopening] [tcp] [3389] [KnockRDP] [enable] [custom] [203.0.113.45]" "the older firewall"
: > "$QUENNET_COMMAND_RECORD"
rm "$app"/*.log
LOG_PATH="$windir/pfirewall.log" write_log "-9 701" "-8 702" "-7 701" "-5 703"
run_quennet --strict 701,702,703 dt KnockRDP 30 3389
expect_refused "the older firewall, an earlier knock port between"
