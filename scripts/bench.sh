#!/usr/bin/env bash
# A benchmark, not a test (scripts/test.sh never runs it). On two generated firewall
# logs (32 MiB unless told otherwise) with a three-port knock near their end, the
# usual mix of traffic and one where nearly every line is a dropped TCP packet (every
# line holds the action text of the knock), it times
#   (a) the whole program verifying that knock: correlation and verification, and
#   (b) the least work the job needs: two copies of the log, each read through twice
#       (see least_work below),
# alternately, and reports their medians, their ratio (target: at most 1.0) and the
# program's peak resident memory (target: at most 16 MiB, whatever the log's size).
# With --wine it also times the Windows program under Wine on the same logs, beside
# `quennet.exe --help` (Wine's own start and end). Then it builds the `bench` preset
# and runs the Google Benchmark cases. With --latency, instead, the time a user
# waits: from the last knock packet to the started netsh (see knock_latency below;
# it takes about five minutes). With --flood N, instead, N runs at once as a busy
# host's task starts them (bench/flood.sh), the live log flushed every FLUSH seconds.
#
# Usage: scripts/bench.sh [--no-cases] [--wine] [--log-mib N] [ROUNDS]
#        (ROUNDS of a and b each, default 7)
#        scripts/bench.sh --latency
#        scripts/bench.sh --flood N [--flush FLUSH]   (default 2 s)
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C

cases=yes
parts=all
wine_too=no
log_mib=32
while [ $# -gt 0 ]; do
  case $1 in
    --no-cases) cases=no ;;
    --wine) wine_too=yes ;;
    --latency) parts=latency ;;
    --flood) parts=flood; flood_runs=$2; shift ;;
    --flush) flush=$2; shift ;;
    --log-mib) log_mib=$2; shift ;;
    *) break ;;
  esac
  shift
done
rounds=${1:-7}
log_bytes=$((log_mib << 20))

# Arithmetic on decimal numbers, which the shell does not have.
calc() { awk "BEGIN { print $1 }"; }
holds() { if awk "BEGIN { exit !($1) }"; then echo held; else echo MISSED; fi; }

cmake --preset default >/dev/null
cmake --build --preset default --target quennet quennet-knock firewall_standin >/dev/null
if [ "$parts" == flood ]; then
  QUENNET_BIN=$PWD/build/default/quennet QUENNET_SOURCE=$PWD exec bench/flood.sh "$flood_runs" "${flush:-2}"
fi

# The sandbox of the end-to-end tests: $app, $live, $sandbox, the stand-in commands;
# and the loopback stand-in for the firewall with the client's knock ports.
root=$PWD
export QUENNET_BIN=$root/build/default/quennet QUENNET_SOURCE=$root \
  QUENNET_KNOCK_BIN=$root/build/default/quennet-knock QUENNET_STANDIN_BIN=$root/build/default/examples/firewall_standin
source tests/e2e/lib.sh
source "$root/tests/e2e/knock_lib.sh"
cd "$root"

median() { printf '%s\n' "$@" | sort -g | sed -n "$((($# + 1) / 2))p"; }

# Seconds from the last knock packet to the start of netsh, on a quiet log (nothing
# but the client's packets), three times each with the nudge, without it and with
# --open instead, and with and without the address as token 5; with --open also what
# the client itself reports: the time until the port answered. The stand-in starts
# Quennet one second after the last knock packet, as the task a packet triggers
# might: so the run always starts in a later second than the knock's log line, as it
# does on a real host, where the firewall also writes its log late.
knock_latency() {
  mkdir -p "$sandbox/bin"
  printf '#!/usr/bin/env bash\necho "$EPOCHREALTIME" >> "%s"\nexec "%s" "$@"\n' \
    "$sandbox/netsh-started" "$root/examples/bin/netsh" > "$sandbox/bin/netsh"
  chmod +x "$sandbox/bin/netsh"
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
        PATH="$sandbox/bin:$PATH" start_standin --ports "$knock_ports,$nudge" --on "$k3" --start-after 1000 \
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

if [ "$parts" == latency ]; then
  knock_latency
  exit 0
fi

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
knock_check() { "${knock[@]}"; }

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

# Peak resident memory in KiB of "$@": GNU time when there is one (installed when
# this runs as root), otherwise getrusage through a tiny helper.
peak_kib() {
  if ! /usr/bin/time -f %M true > /dev/null 2>&1 && [ "$(id -u)" == 0 ] && command -v apt-get > /dev/null; then
    apt-get install -y -qq time > /dev/null 2>&1 || true
  fi
  if /usr/bin/time -f %M true > /dev/null 2>&1; then
    /usr/bin/time -f %M -o "$sandbox/peak" "$@" && cat "$sandbox/peak"
    return
  fi
  cat > "$sandbox/peak.cpp" <<'EOF'
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
int main(int, char** argv) {
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  std::printf("%ld\n", usage.ru_maxrss);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
EOF
  c++ -O2 -o "$sandbox/peak" "$sandbox/peak.cpp" && "$sandbox/peak" "$@"
}

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

if [ "$cases" == yes ]; then
  echo
  cmake --preset bench >/dev/null
  cmake --build --preset bench --target quennet_bench >/dev/null
  build/bench/bench/quennet_bench
fi
