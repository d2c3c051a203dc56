# A three-port knock found by correlation and verified: the event, then the rule, under
# a name of shell metacharacters that reaches both commands as it is. Without a port to
# open only the event, and the trace switch writes Debug.log. On Windows XP the log is
# in the Windows folder (here a link to the firewall's own log, as quennetctl makes it
# on later hosts) and netsh takes the port-opening form, the name unquoted.
source "$(dirname "$0")/lib.sh"

name='R;$HOME|x&&touch${IFS}pwned>y*`id`'
event='EVENTCREATE [/L] [APPLICATION] [/SO] [Quennet] [/ID] [100] [/T] [INFORMATION] [/D] [Quennet - Port Knock Authenticated\r\nRule Name='
write_log "-9 701" "-8 445 198.51.100.7" "-7 702" "-6 702" "-5 703"
run_quennet 701,702,703 dt "$name" 30 3389
expect_eq "$(sort "$QUENNET_COMMAND_RECORD")" "$event$name\r\nIP=203.0.113.45\r\nport=3389]
netsh [advfirewall] [firewall] [add] [rule] [name=$name] [dir=in] [action=allow] [protocol=TCP] [localport=3389] [remoteip=203.0.113.45]" \
  "recorded commands"
[ ! -e pwned ] && [ ! -e y ] || fail "a shell interpreted the rule name"
[ -f "$snapshot" ] && [ ! -e "$app/Debug.log" ] || fail "no snapshot, or Debug.log written with the trace switch off"
expect_verified_knock "with a port"

QUENNET_DEBUG=1 run_quennet 701,702,703 dt KnockRDP 30
expect_eq "$status $(cat "$QUENNET_COMMAND_RECORD")" "0 ${event}KnockRDP\r\nIP=203.0.113.45]" "status and the event alone"
expect_eq "$(logged "$app/Debug.log" | sed -n '1p;$p')" " -  701,702,703 dt KnockRDP 30
 -   port knock successfully detected" "the first and last lines of Debug.log"

: > "$QUENNET_COMMAND_RECORD"
rm "$live" "$snapshot"
LOG_PATH="$sandbox/firewall.log" write_log "-9 701" "-7 702" "-5 703"
ln -s "$sandbox/firewall.log" "$windir/pfirewall.log"
QUENNET_WINDOWS_VERSION=2.5.1.2600 run_quennet 701,702,703 dt $'Knock\tRDP' 30 3389
expect_eq "$status $(grep '^Netsh' "$QUENNET_COMMAND_RECORD")" \
  "0 Netsh [firewall] [add] [portopening] [tcp] [3389] [Knock] [RDP] [enable] [custom] [203.0.113.45]" "status and netsh on Windows XP"
