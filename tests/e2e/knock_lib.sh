# Shared by the knock client's tests, after lib.sh: the loopback stand-in for the
# firewall, which logs what the client sends to the live log and starts the copied
# quennet when the last knock port is hit, and the client itself.
: "${QUENNET_KNOCK_BIN:?}" "${QUENNET_STANDIN_BIN:?}"

# Three knock ports, neither adjacent nor ascending, and the nudge port the client
# picks for them (the one after the highest), from a range below the ephemeral ports
# that changes from run to run, so that runs side by side keep apart.
base=$((20000 + RANDOM % 12000))
k1=$((base + 5)) k2=$((base + 2)) k3=$((base + 9)) nudge=$((base + 10))
knock_ports=$k1,$k2,$k3

# knock_standin LINES ARGS...: the stand-in on the knock and nudge ports. A hit on the
# last knock port starts `quennet ARGS...`, where "{address}" stands for the sender.
# It ends once it has logged LINES lines and what it started has ended (wait_standin).
# With PROTECT=PORT it also stands for PORT, which opens once netsh has the rule.
knock_standin() {
  start_standin --ports "$knock_ports,$nudge" --on "$k3" --lines "$1" \
    ${PROTECT:+--protect "$PROTECT" --record "$QUENNET_COMMAND_RECORD"} -- "$app/quennet" "${@:2}"
}

# knock ARGS...: runs the client (through KNOCK_RUNNER when set, such as wine);
# keeps its status, output and errors.
knock() {
  knock_status=0
  ${KNOCK_RUNNER:-} "$QUENNET_KNOCK_BIN" "$@" > "$sandbox/knock.out" 2> "$sandbox/knock.err" || knock_status=$?
}

# The live log's records as "ACTION PROTOCOL SOURCE DESTINATION DST-PORT".
logged_packets() { sed -nE 's/\r$//; s/^[0-9-]+ [0-9:]+ (\S+ \S+ \S+ \S+) \S+ (\S+) .*/\1 \2/p' "$live"; }
