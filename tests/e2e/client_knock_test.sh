# The knock client against the loopback stand-in, which logs each packet and starts
# quennet on the last knock port: over IPv4 with the sender passed as token 5, as the
# task of an installed host does, and over IPv6 with a UDP knock and the address found
# by correlation. The nudge lands after the knock and takes no part in it (that a
# later packet spoils no strict knock either, and the client's report, the unit tests
# pin). With --open the
# client waits for the port to answer, and says when it stays closed. Last, what the
# client refuses to send, by status (its unit test pins every refusal of the command
# line).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/knock_lib.sh"

knock_standin 4 "$knock_ports" dt KnockRDP 30 '{address}' 3389
knock --delay 50 --nudge-after 300 127.0.0.1 "$knock_ports"
wait_standin
expect_eq "$knock_status|$(wc -l < "$sandbox/knock.out")|$(cat "$sandbox/knock.err")" "0|4|" "the client's status and report"
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

export PROTECT=3389
knock_standin 3 --strict "$knock_ports" dt KnockRDP 30 '{address}' 3389
knock --delay 50 --open 3389 127.0.0.1 "$knock_ports"
wait_standin
expect_eq "$knock_status|$(tail -1 "$sandbox/knock.out" | sed -E 's/after [0-9.]+ s/after N s/')" "0|port 3389 open after N s" "--open"
expect_eq "$(logged_packets | cut -d ' ' -f 5 | uniq | tr '\n' ' ')" "$k1 $k2 $k3 3389 " "the attempts on 3389 after the knock"
expect_opened 127.0.0.1 "--open, strict"

knock_standin 3 --strict "$knock_ports" dt KnockRDP 30 '{address}' 3389
knock --delay 50 --open 3389 --timeout 2 127.0.0.1 "$k2,$k1,$k3"
wait_standin
expect_eq "$knock_status|$(tail -1 "$sandbox/knock.out")|$(cat "$QUENNET_COMMAND_RECORD")" \
  "5|port 3389 still closed after 2 s|" "--open, a strict knock in the wrong order"

# ARGS|status|the first line on standard error (for an unknown host without the
# resolver's reason, which depends on the machine)
while IFS='|' read -r arguments status message; do
  # shellcheck disable=SC2086
  knock $arguments
  expect_eq "$knock_status|$(head -1 "$sandbox/knock.err" | sed -E 's/(unknown host [^:]*): .*/\1/')|$(cat "$sandbox/knock.out")" \
    "$status|$message|" "$arguments"
done <<'TABLE'
127.0.0.1 701 di|2|quennet-knock: action code "di" is an ICMP knock, which quennet-knock does not send; use a TCP (dt, at) or UDP (du, au) code
nosuch.invalid 701|3|quennet-knock: unknown host nosuch.invalid
--no-nudge 255.255.255.255 701|4|quennet-knock: cannot send TCP to 255.255.255.255 port 701: Network is unreachable
TABLE
