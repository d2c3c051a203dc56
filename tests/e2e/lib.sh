# Shared by the end-to-end tests: the sandbox of standins/sandbox.sh, entered, and the
# checks of checks.sh.
source "$QUENNET_SOURCE/standins/sandbox.sh"
cd "$sandbox"  # whatever a run leaves in its working folder lands here
source "$QUENNET_SOURCE/tests/e2e/checks.sh"

# Runs the program; its status, standard output and standard error are kept. The
# commands it starts inherit its standard output, so the pipe closes only when the
# last of them has recorded. A run that does not end within RUN_LIMIT seconds (100
# unless set) fails the test.
run_quennet() {
  status=0
  timeout "${RUN_LIMIT:-100}" "$app/quennet" "$@" 2> "$sandbox/stderr" | cat > "$sandbox/stdout" || status=$?
  [ "$status" != 124 ] || fail "the program did not end within ${RUN_LIMIT:-100} s"
}

# Forgets which knocks were opened, for a test that reads one knock more than once.
forget_openings() { rm -f "$programdata/Tolvaren/Quennet-openings.state"; }

expect_no_commands() { expect_eq "$(cat "$QUENNET_COMMAND_RECORD")" "" "commands started"; }

knock_ports=701,702,703  # knock_lib.sh picks its own

# expect_opened ADDRESS WHAT [RULE [older]]: the run verified the knock on $knock_ports
# from ADDRESS: status 0 (when a run was made here), its lines in velt.log and none in
# error.log, and the event and the rule (KnockRDP unless named; with "older", the
# older firewall's port opening) opening 3389 to ADDRESS. Clears the log files and
# the record for the next run.
expect_opened() {
  local port velt=""
  for port in ${knock_ports//,/ }; do velt+="Port $port has a match in the firewall log"$'\n'; done
  expect_eq "${status:-0}|$(logged "$app/velt.log")|$(logged "$app/error.log")" \
    "0|${velt}All ports have been successfully matched to IP address $1|" "status, velt.log and error.log ($2)"
  expect_opening_commands "$@"
  rm -f "$app"/*.log
  : > "$QUENNET_COMMAND_RECORD"
}

# expect_opening_commands ADDRESS WHAT [RULE [older]]: the event and the rule (KnockRDP
# unless named; the older firewall's form when asked) opening 3389 to ADDRESS, once each.
expect_opening_commands() {
  local name=${3:-KnockRDP}
  local rule="netsh [advfirewall] [firewall] [add] [rule] [name=$name] [dir=in] [action=allow] [protocol=TCP] [localport=3389] [remoteip=$1]"
  [ "${4:-}" != older ] || rule="Netsh [firewall] [add] [portopening] [tcp] [3389] [$name] [enable] [custom] [$1]"
  expect_eq "$(sort "$QUENNET_COMMAND_RECORD")" "EVENTCREATE [/L] [APPLICATION] [/SO] [Quennet] [/ID] [100] [/T] [INFORMATION] [/D] [Quennet - Port Knock Authenticated\r\nRule Name=$name\r\nIP=$1\r\nport=3389]
$rule" \
    "recorded commands ($2)"
}
