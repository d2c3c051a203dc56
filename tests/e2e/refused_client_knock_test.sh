# What the knock client refuses to send, with its status and message (its unit test
# pins every refusal of the command line, and the knock steps' unit tests a knock
# sent in the wrong order).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/knock_lib.sh"  # the client

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

