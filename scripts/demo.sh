#!/usr/bin/env bash
# Runs one real knock on the bundled sample firewall log, in a temporary sandbox that
# stands in for a Windows 7 host: a Windows folder holding the log, a registry
# export naming the application-data folder, and stand-in netsh and EVENTCREATE
# commands that only print what they were asked to do. Then the whole loop on the
# same sandbox: quennet-knock knocks on 127.0.0.1; a loopback stand-in for the
# firewall logs each packet to the live log the way Windows does and, on the last
# knock port, starts Quennet, as the task of an installed host would; Quennet
# verifies the knock and starts the stand-in commands. The client's nudge keeps the
# wait to a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset default >/dev/null
cmake --build --preset default --target quennet quennet-knock firewall_standin >/dev/null

sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
firewall="$sandbox/Windows/system32/LogFiles/Firewall"
mkdir -p "$sandbox/Quennet" "$sandbox/ProgramData" "$firewall"
cp build/default/quennet "$sandbox/Quennet/"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"Common AppData"="%s"\r\n' \
  "$sandbox/ProgramData" > "$sandbox/registry.reg"
# The sample's last knock (port 703) becomes a second old and its newest entry lies
# a few seconds ahead, so the log has caught up when Quennet starts.
examples/restamp-log.sh "2012-07-17 10:16:56" "$(date +%s)" < examples/pfirewall.log > "$firewall/pfirewall.log"

export windir="$sandbox/Windows" QUENNET_REGISTRY="$sandbox/registry.reg" QUENNET_WINDOWS_VERSION=2.6.1.7601
export QUENNET_COMMAND_RECORD="$sandbox/commands.txt" PATH="$PWD/examples/bin:$PATH"
touch "$QUENNET_COMMAND_RECORD"

# Prints what the run left: velt.log, error.log and the commands it started; then
# clears them for the next run.
show_results() {
  echo
  echo "velt.log:"
  sed 's/\r$//; s/^/    /' "$sandbox/Quennet/velt.log" 2>/dev/null || echo "    (none)"
  if [ -f "$sandbox/Quennet/error.log" ]; then
    echo "error.log:"
    sed 's/\r$//; s/^/    /' "$sandbox/Quennet/error.log"
  fi
  echo
  echo "Commands started (each argument in brackets):"
  sed 's/^/    /' "$QUENNET_COMMAND_RECORD"
  rm -f "$sandbox/Quennet/"*.log
  : > "$QUENNET_COMMAND_RECORD"
}

echo "Firewall log (knocks from 203.0.113.45 on 701, 702, 703):"
sed 's/\r$//; s/^/    /' "$firewall/pfirewall.log"
echo
echo "\$ quennet 701,702,703 dt KnockRDP 30 3389"
"$sandbox/Quennet/quennet" 701,702,703 dt KnockRDP 30 3389

# The commands are started, not waited for: give them a moment to report.
for _ in $(seq 100); do
  [ "$(grep -c -E '^(netsh|Netsh|EVENTCREATE) ' "$QUENNET_COMMAND_RECORD")" -ge 2 ] && break
  sleep 0.05
done
show_results

echo
echo "=== The whole loop over loopback, on a fresh firewall log"
rm "$firewall/pfirewall.log"
knock=17005,17001,17003
nudge=17006  # the port after the highest knock port, the client's choice
quennet=("$sandbox/Quennet/quennet" "$knock" dt KnockRDP 30 3389)
echo "The firewall stand-in listens on 127.0.0.1 and ::1, ports $knock and $nudge;"
echo "a packet to 17003 starts: quennet ${quennet[*]:1}"
exec {standin}< <(build/default/examples/firewall_standin --log "$firewall/pfirewall.log" \
  --ports "$knock,$nudge" --on 17003 --lines 4 -- "${quennet[@]}")
read -r -u "$standin" ready || true
[ "${ready:-}" == ready ] || { echo "the firewall stand-in could not listen on those ports" >&2; exit 1; }
echo
echo "\$ quennet-knock 127.0.0.1 $knock"
build/default/quennet-knock 127.0.0.1 "$knock"
# The stand-in ends once Quennet and the commands it started have ended.
cat <&"$standin" > /dev/null

echo
echo "Firewall log written by the stand-in:"
sed 's/\r$//; s/^/    /' "$firewall/pfirewall.log"
show_results
