# A Windows XP host: the log in the Windows folder, the port-opening form of netsh.
source "$(dirname "$0")/lib.sh"

export QUENNET_WINDOWS_VERSION=2.5.1.2600
LOG_PATH="$windir/pfirewall.log" write_log "-9 701" "-7 702" "-5 703"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_eq "$status" 0 "exit status"
wait_for_commands 2
expect_eq "$(grep '^Netsh' "$QUENNET_COMMAND_RECORD")" \
  "Netsh [firewall] [add] [portopening] [tcp] [3389] [KnockRDP] [enable] [custom] [203.0.113.45]" "netsh command"
