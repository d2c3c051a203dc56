#!/usr/bin/env bash
# A benchmark, not a test. On two generated firewall logs (32 MiB unless told
# otherwise) with a three-port knock near their end, the usual mix of traffic and one
# where nearly every line is a dropped TCP packet (every line holds the action text of
# the knock), it times
#   (a) the whole program verifying that knock: correlation and verification, and
#   (b) the least work the job needs: two copies of the log, each read through twice
#       (see least_work below),
# alternately, and reports their medians, their ratio (target: at most 1.0) and the
# program's peak resident memory (target: at most 16 MiB, whatever the log's size).
# With --wine it also times the Windows program under Wine on the same logs, beside
# `quennet.exe --help` (Wine's own start and end).
#
# Usage: bench/throughput.sh [--wine] [--log-mib N] [ROUNDS]   (ROUNDS of a and b each, default 7)
# through scripts/bench.sh, which builds first.
set -euo pipefail
wine_too=no
log_mib=32
while [ $# -gt 0 ]; do
  case $1 in
    --wine) wine_too=yes ;;
    --log-mib) log_mib=$2; shift ;;
    *) break ;;
  esac
  shift
done
rounds=${1:-7}
log_bytes=$((log_mib << 20))
source bench/lib.sh

# Waits (ten seconds at most) until the stand-in commands have recorded N lines: the
# program does not wait for the commands it starts.
wait_for_commands() {
  for _ in $(seq 200); do
    [ "$(wc -l < "$QUENNET_COMMAND_RECORD")" -ge "$1" ] && return 0
    sleep 0.05
  done
  fail "expected $1 recorded commands, got: $(cat "$QUENNET_COMMAND_RECORD")"
}

# The log's records run up to just after midnight, so the reference time (the date
# alone means midnight) has been reached and neither step waits for the log.
arguments=(701,702,703 dt KnockRDP 30 3389 2012-07-17)
knock=("$app/quennet" "${arguments[@]}")
# Every round is a knock the program has not opened yet, as a knock of its own would be.
knock_check() {
  forget_openings
  "${knock[@]}"
}

# What any knock check must do at least: copy the log twice (once per step), and
# read each copy through twice (once for its newest stamp, once for its records).
least_work() {
  local copy="$sandbox/least-work.log"
  for _ in 1 2; do
    cp "$live" "$copy"
    cat "$copy" > /dev/null
    grep -F -c "DROP TCP" "$copy" > /dev/null
  done
}

# Seconds that "$@" takes, with the disk written back before, so that no run pays
# for the writes of the one before it.
seconds_of() {
  sync
  local start=$EPOCHREALTIME
  "$@"
  calc "$EPOCHREALTIME - $start"
}

times_of() { printf '%.3f ' "$@"; }

# Peak resident memory in KiB of "$@" (bench/peak_rss.cpp).
peak_kib() { "$root/build/default/bench/peak_rss" "$@"; }

# The Windows program under Wine, in a prefix of its own, with stand-in commands.
if [ "$wine_too" == yes ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows >/dev/null
  start_wine "$sandbox"
  wine_app=$WINEPREFIX/drive_c/Quennet
  wine_live=$WINEPREFIX/drive_c/windows/system32/LogFiles/Firewall/pfirewall.log
  mkdir -p "$wine_app" "$(dirname "$wine_live")" "$WINEPREFIX/drive_c/Data"
  cp build/windows/quennet.exe "$wine_app/"
  for name in netsh EVENTCREATE; do cp build/windows/tests/wine/quennet_command_recorder.exe "$wine_app/$name.exe"; done
  wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
    /v 'Common AppData' /d 'C:\Data' /f >/dev/null
fi
wine_quennet() { (cd "$wine_app" && wine 'C:\Quennet\quennet.exe' "$@") </dev/null >/dev/null 2>&1; }
wine_knock() { wine_quennet "${arguments[@]}"; }
wine_help() { wine_quennet --help; }

# measure NAME [AWK OPTION...]: writes the log, then times the program against the
# least work on it (and under Wine with --wine).
measure() {
  local name=$1 started size
  shift
  started=$EPOCHREALTIME
  awk -v bytes="$log_bytes" "$@" -f bench/firewall_log.awk > "$live"
  size=$(stat -c %s "$live")
  echo
  printf '%s log: %d bytes, %d lines (%d hold "DROP TCP"), generated in %.1f s\n' "$name" \
    "$size" "$(wc -l < "$live")" "$(grep -c 'DROP TCP' "$live")" "$(calc "$EPOCHREALTIME - $started")"

  # The first run also warms the file cache; it must take the real path: a verified
  # knock, the event and the rule.
  rm -f "$app"/*.log
  : > "$QUENNET_COMMAND_RECORD"
  knock_check
  wait_for_commands 2
  logged "$app/velt.log" | grep -q '^All ports have been successfully matched to IP address 203.0.113.45$' \
    || fail "the knock was not verified: $(logged "$app/velt.log")"
  expect_eq "$(cut -d' ' -f1 "$QUENNET_COMMAND_RECORD" | sort | tr '\n' ' ')" "EVENTCREATE netsh " "commands started"
  [ ! -e "$app/error.log" ] || fail "error.log written: $(cat "$app/error.log")"
  least_work

  local program_times=() least_times=() round
  for round in $(seq "$rounds"); do
    program_times+=("$(seconds_of knock_check)")
    # The commands it started finish before anything else is timed.
    wait_for_commands $((2 * round + 2))
    least_times+=("$(seconds_of least_work)")
  done
  local program least ratio peak
  program=$(median "${program_times[@]}")
  least=$(median "${least_times[@]}")
  ratio=$(calc "$program / $least")
  forget_openings
  peak=$(peak_kib "${knock[@]}")
  wait_for_commands $((2 * rounds + 4))
  # Every run verified the knock, not only the first.
  expect_eq "$(grep -c ' All ports have been successfully matched' "$app/velt.log")" $((rounds + 2)) "verified runs"

  echo "rounds: $rounds of each, alternating"
  printf '(a) knock check, whole program:        median %.3f s   (%s)\n' "$program" "$(times_of "${program_times[@]}")"
  printf '(b) least work, 2 x (cp, cat, grep):   median %.3f s   (%s)\n' "$least" "$(times_of "${least_times[@]}")"
  printf 'ratio a/b: %.2f   target <= 1.0: %s\n' "$ratio" "$(holds "$ratio <= 1.0")"
  printf 'peak memory: %d KiB   target <= 16 MiB: %s\n' "$peak" "$(holds "$peak <= 16384")"
  [ "$wine_too" == no ] || measure_wine "$least"
}

# measure_wine LEAST: the Windows program on the same log under Wine, beside
# `quennet.exe --help`, which takes Wine's start and end and no more.
measure_wine() {
  cp "$live" "$wine_live"
  rm -f "$wine_app"/*.log
  wine_knock
  grep -q 'All ports have been successfully matched to IP address 203.0.113.45' "$wine_app/velt.log" \
    || fail "Wine: the knock was not verified"
  local wine_times=() help_times=() program start
  for _ in $(seq "$rounds"); do
    wine_times+=("$(seconds_of wine_knock)")
    help_times+=("$(seconds_of wine_help)")
  done
  expect_eq "$(grep -c ' All ports have been successfully matched' "$wine_app/velt.log")" $((rounds + 1)) \
    "verified runs under Wine"
  program=$(median "${wine_times[@]}")
  start=$(median "${help_times[@]}")
  printf '(w) quennet.exe under Wine:            median %.3f s   (%s)\n' "$program" "$(times_of "${wine_times[@]}")"
  printf '    quennet.exe --help under Wine:     median %.3f s   (%s)\n' "$start" "$(times_of "${help_times[@]}")"
  printf 'ratio (w - help)/b: %.2f\n' "$(calc "($program - $start) / $1")"
}

measure mixed
measure drops -v drops=1
