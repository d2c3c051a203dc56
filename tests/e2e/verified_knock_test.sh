# A three-port knock found by correlation and verified: the event, then the rule, under
# a name of shell metacharacters that reaches both commands as it is. Without a port to
# open only the event, and the trace switch writes Debug.log (its lines byte for byte,
# the unit test of verification pins). Then the log, the allow text and the rule of
# each firewall by Windows version (records after NUL bytes: the scan's unit test).
source "$(dirname "$0")/lib.sh"

name='R;$HOME|x&&touch${IFS}pwned>y*`id`'
event='EVENTCREATE [/L] [APPLICATION] [/SO] [Quennet] [/ID] [100] [/T] [INFORMATION] [/D] [Quennet - Port Knock Authenticated\r\nRule Name='
write_log "-9 701" "-8 445 198.51.100.7" "-7 702" "-6 702" "-5 703"
run_quennet 701,702,703 dt "$name" 30 3389
[ ! -e pwned ] && [ ! -e y ] || fail "a shell interpreted the rule name"
[ -f "$snapshot" ] && [ ! -e "$app/Debug.log" ] || fail "no snapshot, or Debug.log written with the trace switch off"
expect_opened 203.0.113.45 "with a port" "$name"

QUENNET_DEBUG=1 run_quennet 701,702,703 dt KnockRDP 30
expect_eq "$status $(cat "$QUENNET_COMMAND_RECORD")|$(logged "$app/Debug.log" | tail -n 1)" \
  "0 ${event}KnockRDP\r\nIP=203.0.113.45]| -   port knock successfully detected" "the event alone, and Debug.log"

# Server 2022 has the newer firewall: "ALLOW TCP" for at, netsh advfirewall, and the
# log in the Windows folder, where an earlier set-up may have moved it, read when the
# system32 one is missing (which log each version reads, the unit test of the log's
# path pins). XP is the older one: a knock from another address in the log it does
# not read shows which one was read. Each host reads the same knock, so the record of
# openings is forgotten between.
rm -f "$app"/*.log
: > "$QUENNET_COMMAND_RECORD"
older_log=$windir/pfirewall.log
decoy() { LOG_PATH=$1 write_log "-9 701 198.51.100.7" "-7 702 198.51.100.7 $2" "-5 703 198.51.100.7"; }
rm "$live"
LOG_PATH=$older_log write_log "-9 701" "-7 702 203.0.113.45 ALLOW_TCP" "-5 703"
QUENNET_WINDOWS_VERSION=2.10.0.20348 run_quennet 701,702,703 dt,at,dt KnockRDP 30 3389
expect_opened 203.0.113.45 "Server 2022, only the log in the Windows folder"
forget_openings
LOG_PATH=$older_log write_log "-9 701" "-7 702 203.0.113.45 OPEN-INBOUND_TCP" "-5 703"
decoy "$live" ALLOW_TCP
QUENNET_WINDOWS_VERSION=2.5.1.2600 run_quennet 701,702,703 dt,at,dt KnockRDP 30 3389
expect_opened 203.0.113.45 "Windows XP" KnockRDP older
rm "$older_log"
