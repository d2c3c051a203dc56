#!/usr/bin/env bash
# A benchmark, not a test: the time a user waits for the port after a knock (about
# five minutes). Run it through scripts/bench.sh --latency, which builds first.
set -euo pipefail
source bench/lib.sh
source tests/e2e/knock_lib.sh
note_netsh_start

# Seconds from the last knock packet to the start of netsh, on a quiet log (nothing
# but the client's packets), three times each with the nudge, without it and with
# --open instead, and with and without the address as token 5; with --open also what
# the client itself reports: the time until the port answered. The stand-in starts
# Quennet one second after the last knock packet, as the task a packet triggers
# might: so the run always starts in a later second than the knock's log line, as it
# does on a real host, where the firewall also writes its log late.
knock_latency() {
  local mode token5 times opened lines run started knocked client protect
  echo "from the last knock packet to the started netsh (and to the open port, with --open), quiet log, median of 3:"
  for mode in nudge no-nudge open; do
    for token5 in '{address}' ""; do
      times=() opened=()
      case $mode in
        nudge) lines=4 client=() protect=() ;;
        no-nudge) lines=3 client=(--no-nudge) protect=() ;;
        open) lines=3 client=(--open 3389 --timeout 120) protect=(--protect 3389 --record "$QUENNET_COMMAND_RECORD") ;;
      esac
      for run in 1 2 3; do
        rm -f "$sandbox/netsh-started"
        start_standin --ports "$knock_ports,$nudge" --on "$k3" --start-after 1000 \
          --lines "$lines" --seconds 120 "${protect[@]}" -- "$app/quennet" "$knock_ports" dt KnockRDP 30 $token5 3389
        "$QUENNET_KNOCK_BIN" "${client[@]}" 127.0.0.1 "$knock_ports" > "$sandbox/knock.out" 2>&1 ||
          [ "$mode" != open ] || fail "the port did not open: $(cat "$sandbox/knock.out")"
        wait_standin
        expect_opened 127.0.0.1 "latency run"
        knocked=$(awk -v port="$k3" '$9 == port { print $1 }' "$sandbox/standin.out")
        started=$(cat "$sandbox/netsh-started")
        times+=("$(calc "$started - $knocked")")
        opened+=("$(sed -nE 's/^port 3389 open after ([0-9.]+) s$/\1/p' "$sandbox/knock.out")")
      done
      printf '  %-8s  address as token 5 %-3s  netsh %5.1f s   (%s)' "$mode" "$([ -n "$token5" ] && echo yes || echo no)" \
        "$(median "${times[@]}")" "$(printf '%.1f ' "${times[@]}")"
      [ "$mode" != open ] || printf '  port open %5.1f s   (%s)' "$(median "${opened[@]}")" "${opened[*]}"
      printf '\n'
    done
  done
}

knock_latency
