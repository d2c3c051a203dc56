# A three-port knock found by correlation and verified: the event, then the rule, under
# a name of shell metacharacters that reaches both commands as it is. Without a port to
# open only the event, and the trace switch writes Debug.log. The older firewall's
# forms are pinned by the Wine run.
source "$(dirname "$0")/lib.sh"

name='R;$HOME|x&&touch${IFS}pwned>y*`id`'
event='EVENTCREATE [/L] [APPLICATION] [/SO] [Quennet] [/ID] [100] [/T] [INFORMATION] [/D] [Quennet - Port Knock Authenticated\r\nRule Name='
write_log "-9 701" "-8 445 198.51.100.7" "-7 702" "-6 702" "-5 703"
run_quennet 701,702,703 dt "$name" 30 3389
[ ! -e pwned ] && [ ! -e y ] || fail "a shell interpreted the rule name"
[ -f "$snapshot" ] && [ ! -e "$app/Debug.log" ] || fail "no snapshot, or Debug.log written with the trace switch off"
expect_opened 203.0.113.45 "with a port" "$name"

QUENNET_DEBUG=1 run_quennet 701,702,703 dt KnockRDP 30
expect_eq "$status $(cat "$QUENNET_COMMAND_RECORD")" "0 ${event}KnockRDP\r\nIP=203.0.113.45]" "status and the event alone"
expect_eq "$(logged "$app/Debug.log" | sed -n '1p;$p')" " -  701,702,703 dt KnockRDP 30
 -   port knock successfully detected" "the first and last lines of Debug.log"

