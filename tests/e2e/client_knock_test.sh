# The knock client against the loopback stand-in, which logs each packet and starts
# quennet on the last knock port: over IPv6 with a UDP knock and the address found by
# correlation (a TCP knock with the sender as token 5, the knock page's test shows).
# With --open the client says when the port stays closed; a send the network refuses
# ends it with status 4 (its other refusals, its unit test pins).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/knock_lib.sh"

knock_standin 4 "$knock_ports" du,dt KnockRDP 30 3389
knock -q -6 --delay 50 --nudge-after 300 '[::1]' "$knock_ports" du,dt
wait_standin
expect_eq "$knock_status|$(cat "$sandbox/knock.out")$(cat "$sandbox/knock.err")" "0|" "quiet: status, nothing printed"
expect_eq "$(logged_packets)" "DROP UDP ::1 ::1 $k1
DROP TCP ::1 ::1 $k2
DROP TCP ::1 ::1 $k3
DROP TCP ::1 ::1 $nudge" "IPv6 lines"
expect_opened ::1 "IPv6, correlation"

PROTECT=3389 knock_standin 3 --strict "$knock_ports" dt KnockRDP 30 '{address}' 3389
knock --delay 50 --open 3389 --timeout 2 127.0.0.1 "$k2,$k1,$k3"
wait_standin
expect_eq "$knock_status|$(tail -1 "$sandbox/knock.out")|$(cat "$QUENNET_COMMAND_RECORD")" \
  "5|port 3389 still closed after 2 s|" "--open, a strict knock in the wrong order"

knock --no-nudge 255.255.255.255 701
expect_eq "$knock_status|$(cat "$sandbox/knock.err")" \
  "4|quennet-knock: cannot send TCP to 255.255.255.255 port 701: Network is unreachable" "an unreachable address"
