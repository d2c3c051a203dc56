# The knock client against the loopback stand-in, which logs each packet and starts
# quennet on the last knock port: over IPv4 with the sender passed as token 5, as the
# task of an installed host does, and over IPv6 with a UDP knock and the address found
# by correlation. The nudge lands after the knock and takes no part in it (that a
# later packet spoils no strict knock either, the unit tests pin).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/knock_lib.sh"

knock_standin 4 "$knock_ports" dt KnockRDP 30 '{address}' 3389
knock --delay 50 --nudge-after 300 127.0.0.1 "$knock_ports"
wait_standin
expect_eq "$knock_status|$(cat "$sandbox/knock.out")|$(cat "$sandbox/knock.err")" "0|knock 1 of 3: TCP to 127.0.0.1 port $k1
knock 2 of 3: TCP to 127.0.0.1 port $k2
knock 3 of 3: TCP to 127.0.0.1 port $k3
nudge: TCP to 127.0.0.1 port $nudge|" "the client's status and report"
expect_eq "$(logged_packets)" "DROP TCP 127.0.0.1 127.0.0.1 $k1
DROP TCP 127.0.0.1 127.0.0.1 $k2
DROP TCP 127.0.0.1 127.0.0.1 $k3
DROP TCP 127.0.0.1 127.0.0.1 $nudge" "one line per packet"
expect_opened 127.0.0.1 "IPv4, token 5"

knock_standin 4 "$knock_ports" du,dt KnockRDP 30 3389
knock -q -6 --delay 50 --nudge-after 300 '[::1]' "$knock_ports" du,dt
wait_standin
expect_eq "$knock_status|$(cat "$sandbox/knock.out")$(cat "$sandbox/knock.err")" "0|" "quiet: status, nothing printed"
expect_eq "$(logged_packets)" "DROP UDP ::1 ::1 $k1
DROP TCP ::1 ::1 $k2
DROP TCP ::1 ::1 $k3
DROP TCP ::1 ::1 $nudge" "IPv6 lines"
expect_opened ::1 "IPv6, correlation"

