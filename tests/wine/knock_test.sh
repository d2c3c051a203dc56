#!/usr/bin/env bash
# quennet-knock.exe under Wine knocks the POSIX loopback stand-in for the firewall,
# which starts the POSIX quennet on the last knock port; the run verifies the knock.
# Build both first:
#   cmake --preset windows && cmake --build --preset windows
#   cmake --preset default && cmake --build --preset default
# Usage: tests/wine/knock_test.sh [windows build folder] [POSIX build folder]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
windows_build=${1:-$root/build/windows}
posix_build=${2:-$root/build/default}
export QUENNET_KNOCK_BIN=$windows_build/quennet-knock.exe QUENNET_BIN=$posix_build/quennet \
  QUENNET_STANDIN_BIN=$posix_build/standins/firewall_standin QUENNET_SOURCE=$root
for file in "$QUENNET_KNOCK_BIN" "$QUENNET_BIN" "$QUENNET_STANDIN_BIN"; do
  [[ -f $file ]] || { echo "missing $file: build the windows and default presets first" >&2; exit 2; }
done
source "$root/tests/e2e/lib.sh"
source "$root/tests/e2e/knock_lib.sh"

start_wine "$sandbox"
export KNOCK_RUNNER=wine

knock_standin 4 "$knock_ports" dt KnockRDP 30 '{address}' 3389
knock --delay 50 --nudge-after 300 127.0.0.1 "$knock_ports"
wait_standin
expect_eq "$knock_status" 0 "quennet-knock.exe: status"
expect_eq "$(logged_packets | cut -d ' ' -f 1,2,5 | tr '\n' ' ')" "DROP TCP $k1 DROP TCP $k2 DROP TCP $k3 DROP TCP $nudge " "one line per packet"
expect_opened 127.0.0.1 "quennet-knock.exe"
echo "ok    quennet-knock.exe knocked the loopback stand-in and the run verified"

PROTECT=3389 knock_standin 3 "$knock_ports" dt KnockRDP 30 '{address}' 3389
knock --delay 50 --open 3389 127.0.0.1 "$knock_ports"
wait_standin
expect_eq "$knock_status|$(tail -1 "$sandbox/knock.out" | tr -d '\r' | sed -E 's/after [0-9.]+ s/after N s/')" \
  "0|port 3389 open after N s" "quennet-knock.exe --open: status and report"
expect_opened 127.0.0.1 "quennet-knock.exe --open"
echo "ok    quennet-knock.exe --open waited until the stand-in opened the port"
