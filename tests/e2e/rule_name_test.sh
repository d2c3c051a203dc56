# A rule name full of shell metacharacters reaches netsh as it is, uninterpreted.
source "$(dirname "$0")/lib.sh"

name='R;$HOME|x&&touch${IFS}pwned>y*`id`'
write_log "-9 701" "-7 702" "-5 703"
(cd "$sandbox" && run_quennet 701,702,703 dt "$name" 30 3389)
wait_for_commands 2
expect_eq "$(grep '^netsh' "$QUENNET_COMMAND_RECORD")" \
  "netsh [advfirewall] [firewall] [add] [rule] [name=$name] [dir=in] [action=allow] [protocol=TCP] [localport=3389] [remoteip=203.0.113.45]" \
  "netsh command"
[ ! -e "$sandbox/pwned" ] && [ ! -e "$sandbox/y" ] || fail "a shell interpreted the rule name"
