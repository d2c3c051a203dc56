#!/usr/bin/env bash
# Runs one real knock on the bundled sample firewall log, in a temporary sandbox that
# stands in for a Windows 7 host: a Windows folder holding the log, a registry
# export naming the application-data folder, and stand-in netsh and EVENTCREATE
# commands that only print what they were asked to do.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset default >/dev/null
cmake --build --preset default --target quennet >/dev/null

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
