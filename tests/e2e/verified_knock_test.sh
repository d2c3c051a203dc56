# A three-port knock found by correlation and verified: the event, then the rule.
source "$(dirname "$0")/lib.sh"

write_log "-9 701" "-8 445 198.51.100.7" "-7 702" "-6 702" "-5 703"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_eq "$status" 0 "exit status"
wait_for_commands 2
expect_eq "$(sort "$QUENNET_COMMAND_RECORD")" \
  "EVENTCREATE [/L] [APPLICATION] [/SO] [Quennet] [/ID] [100] [/T] [INFORMATION] [/D] [Quennet - Port Knock Authenticated\r\nRule Name=KnockRDP\r\nIP=203.0.113.45\r\nport=3389]
netsh [advfirewall] [firewall] [add] [rule] [name=KnockRDP] [dir=in] [action=allow] [protocol=TCP] [localport=3389] [remoteip=203.0.113.45]" \
  "recorded commands"
expect_eq "$(lines_of "$app/velt.log" | sed 's/^.* \(Port\|All\)/\1/')" \
  "Port 701 has a match in the firewall log
Port 702 has a match in the firewall log
Port 703 has a match in the firewall log
All ports have been successfully matched to IP address 203.0.113.45" "velt.log"
[ ! -e "$app/error.log" ] || fail "error.log written: $(cat "$app/error.log")"
[ ! -e "$app/Debug.log" ] || fail "Debug.log written with the trace switch off"
[ -f "$snapshot" ] || fail "no snapshot"

# Without a port to open only the event is recorded; with the trace switch the
# reasons show in Debug.log.
: > "$QUENNET_COMMAND_RECORD"
QUENNET_DEBUG=1 run_quennet 701,702,703 dt KnockRDP 30
wait_for_commands 1
grep -q '^EVENTCREATE .*IP=203.0.113.45\]$' "$QUENNET_COMMAND_RECORD" || fail "event without port: $(cat "$QUENNET_COMMAND_RECORD")"
sleep 0.3
expect_eq "$(wc -l < "$QUENNET_COMMAND_RECORD")" 1 "one command only"
grep -q ' port knock successfully detected$' <(lines_of "$app/Debug.log") || fail "no verdict in Debug.log"
