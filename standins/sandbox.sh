# A sandbox that stands in for a Windows 7 host, for the demo, the benchmark and the
# end-to-end tests: the program copied into its own folder (its log files land beside
# it), a Windows folder for the firewall log, a registry export naming the
# application-data folder, and the stand-in commands of standins/bin, which record
# their arguments (and some act: see standins/bin/standin). Then the loopback stand-in for the firewall, started and awaited.
# Source it with QUENNET_BIN and QUENNET_SOURCE set.
set -euo pipefail
: "${QUENNET_BIN:?}" "${QUENNET_SOURCE:?}"

sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
app="$sandbox/Quennet"
programdata="$sandbox/ProgramData"
snapshot="$programdata/Tolvaren/Quennet/kfirewall.log"
export windir="$sandbox/Windows"
live="$windir/system32/LogFiles/Firewall/pfirewall.log"
mkdir -p "$app" "$programdata" "$(dirname "$live")"
cp "$QUENNET_BIN" "$app/quennet"

export QUENNET_REGISTRY="$sandbox/registry.reg"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"Common AppData"="%s"\r\n' \
  "$programdata" > "$QUENNET_REGISTRY"
export QUENNET_WINDOWS_VERSION=2.6.1.7601
export QUENNET_COMMAND_RECORD="$sandbox/commands.txt"
: > "$QUENNET_COMMAND_RECORD"
# What some stand-ins keep: the Application log's events, the firewall rules, the tasks,
# the audit and firewall logging settings.
export QUENNET_EVENT_LOG="$sandbox/events.xml" QUENNET_FIREWALL_RULES="$sandbox/rules.txt"
export QUENNET_TASK_FOLDER="$sandbox/tasks" QUENNET_SETTINGS="$sandbox/settings.txt"
mkdir -p "$QUENNET_TASK_FOLDER"
export PATH="$QUENNET_SOURCE/standins/bin:$PATH"
unset QUENNET_DEBUG

# start_standin OPTION... [-- COMMAND...]: the firewall stand-in (QUENNET_STANDIN_BIN)
# on a fresh live log, with the options of standins/firewall_standin.cpp; returns
# once it listens.
start_standin() {
  local ready=""
  rm -f "$live"
  exec {standin}< <("$QUENNET_STANDIN_BIN" --log "$live" "$@" 2> "$sandbox/standin.err")
  read -r -u "$standin" ready || true
  [ "$ready" == ready ] || { echo "the stand-in does not listen: $(cat "$sandbox/standin.err")" >&2; exit 1; }
}

# Waits until the stand-in and every command started under it have ended; its output
# is left in $sandbox/standin.out. Fails on anything it wrote to standard error.
wait_standin() {
  cat <&"$standin" > "$sandbox/standin.out"
  exec {standin}<&-
  [ ! -s "$sandbox/standin.err" ] || { echo "the stand-in failed: $(cat "$sandbox/standin.err")" >&2; exit 1; }
}
