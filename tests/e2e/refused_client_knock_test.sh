# What the knock client refuses to send, with its status and message (its unit test
# pins every refusal of the command line), and a knock sent in the wrong order, which
# the stand-in logs and quennet refuses.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/knock_lib.sh"

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

knock_standin 4 --strict "$knock_ports" dt KnockRDP 30 '{address}' 3389
knock -q --delay 50 --nudge-after 300 127.0.0.1 "$k2,$k1,$k3"
wait_standin
expect_eq "$knock_status|$(logged_packets | cut -d ' ' -f 5 | tr '\n' ' ')" "0|$k2 $k1 $k3 $nudge " "status and the ports logged"
expect_eq "$(logged "$app/velt.log")|$(logged "$app/error.log")" "|" "out of order with --strict"
expect_no_commands
