#!/usr/bin/env bash
# Runs one real knock on the bundled sample firewall log, in a temporary sandbox that
# stands in for a Windows 7 host: a Windows folder holding the log, a registry
# export naming the application-data folder, and stand-in netsh and EVENTCREATE
# commands that only print what they were asked to do. Then the whole loop on the
# same sandbox: quennet-knock knocks on 127.0.0.1; a loopback stand-in for the
# firewall logs each packet to the live log the way Windows does and, on the last
# knock port, starts Quennet, as the task of an installed host would; Quennet
# verifies the knock and starts the stand-in commands; the stand-in then lets the
# protected port answer, and the client, waiting for it, says when it opened.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset default >/dev/null
cmake --build --preset default --target quennet quennet-knock firewall_standin >/dev/null

export QUENNET_BIN=$PWD/build/default/quennet QUENNET_SOURCE=$PWD QUENNET_STANDIN_BIN=$PWD/build/default/standins/firewall_standin
source standins/sandbox.sh
# The sample's last knock (port 703) becomes a second old and its newest entry lies
# a few seconds ahead, so the log has caught up when Quennet starts.
examples/restamp-log.sh "2012-07-17 10:16:56" "$(date +%s)" < examples/pfirewall.log > "$live"

# Prints what the run left: velt.log, error.log and the commands it started; then
# clears them for the next run.
show_results() {
  echo
  echo "velt.log:"
  sed 's/\r$//; s/^/    /' "$app/velt.log" 2>/dev/null || echo "    (none)"
  if [ -f "$app/error.log" ]; then
    echo "error.log:"
    sed 's/\r$//; s/^/    /' "$app/error.log"
  fi
  echo
  echo "Commands started (each argument in brackets):"
  sed 's/^/    /' "$QUENNET_COMMAND_RECORD"
  rm -f "$app/"*.log
  : > "$QUENNET_COMMAND_RECORD"
}

echo "Firewall log (knocks from 203.0.113.45 on 701, 702, 703):"
sed 's/\r$//; s/^/    /' "$live"
echo
echo "\$ quennet 701,702,703 dt KnockRDP 30 3389"
"$app/quennet" 701,702,703 dt KnockRDP 30 3389

# The commands are started, not waited for: give them a moment to report.
for _ in $(seq 100); do
  [ "$(grep -c -E '^(netsh|Netsh|EVENTCREATE) ' "$QUENNET_COMMAND_RECORD")" -ge 2 ] && break
  sleep 0.05
done
show_results

echo
echo "=== The whole loop over loopback, on a fresh firewall log"
knock=17005,17001,17003
quennet=("$app/quennet" "$knock" dt KnockRDP 30 3389)
echo "The firewall stand-in listens on 127.0.0.1 and ::1, ports $knock, and drops"
echo "what comes to 3389 until netsh opens it; a packet to 17003 starts:"
echo "quennet ${quennet[*]:1}"
start_standin --ports "$knock" --on 17003 --lines 3 --protect 3389 --record "$QUENNET_COMMAND_RECORD" \
  -- "${quennet[@]}"
echo
echo "\$ quennet-knock --open 3389 127.0.0.1 $knock"
build/default/quennet-knock --open 3389 127.0.0.1 "$knock" > "$sandbox/knock.out"
# The stand-in ends once Quennet and the commands it started have ended.
wait_standin

echo
echo "Firewall log written by the stand-in:"
sed 's/\r$//; s/^/    /' "$live"
show_results

echo
echo "The client, which tried 3389 every half second after the knock:"
sed 's/^/    /' "$sandbox/knock.out"
