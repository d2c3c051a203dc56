# Shared by the end-to-end tests: the sandbox of examples/sandbox.sh, entered, and the
# checks of checks.sh.
source "$QUENNET_SOURCE/examples/sandbox.sh"
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

expect_no_commands() { expect_eq "$(cat "$QUENNET_COMMAND_RECORD")" "" "commands started"; }

# Checks that the run verified the knock 701,702,703 from 203.0.113.45: status 0, its
# lines in velt.log and none in error.log, and EVENTCREATE and netsh started once
# each. Clears the log files and the record for the next run.
expect_verified_knock() { # what
  expect_eq "$status|$(logged "$app/error.log")" "0|" "status and error.log ($1)"
  expect_eq "$(logged "$app/velt.log")" "Port 701 has a match in the firewall log
Port 702 has a match in the firewall log
Port 703 has a match in the firewall log
All ports have been successfully matched to IP address 203.0.113.45" "velt.log ($1)"
  expect_eq "$(cut -d ' ' -f 1 "$QUENNET_COMMAND_RECORD" | sort)" "EVENTCREATE"$'\n'"netsh" "commands ($1)"
  rm -f "$app"/*.log
  : > "$QUENNET_COMMAND_RECORD"
}
