#!/usr/bin/env bash
# A benchmark, not a test: a flood of runs, as the task starts them on a busy host.
# N runs of `quennet --strict 7133,2280,5391 dt KnockRDP 30 ADDRESS 3389` are started
# as fast as the machine allows, each for an address of its own (one packet at the
# last knock port each); the one in the middle is a genuine knock. The live log is
# 32 MiB of older traffic that the firewall writes late: its newest line stays behind
# the runs' start until a flush FLUSH seconds in, and the packets of every FLUSH
# seconds reach it together. Reports peak processes, peak memory, bytes the runs
# wrote (copies included), temporary copies at their peak, the wall time and the time
# from the genuine knock's last packet to its netsh, and checks that the knock opened
# once and the log files are whole.
#
# Usage: bench/flood.sh N [FLUSH]   (FLUSH seconds, default 2)
# through scripts/bench.sh --flood N [--flush FLUSH], which builds first.
set -euo pipefail
runs=${1:?usage: bench/flood.sh N [FLUSH]}
flush=${2:-2}
source bench/lib.sh
note_netsh_start

ports=7133,2280,5391
genuine=$((runs / 2))
genuine_address=192.0.2.77
folder=$(dirname "$snapshot")

awk -v bytes=$((32 << 20)) -f bench/firewall_log.awk > "$live"
# A run of the program on a log of the past, so that the folders and a snapshot exist.
"$app/quennet" --strict "$ports" dt KnockRDP 30 192.0.2.1 2012-07-17 3389
sync

# The firewall: every FLUSH seconds it writes the packets noted in $packets since its
# last flush ("EPOCH ADDRESS PORT"), then a record of its own of that moment. It ends
# after the first flush that follows the end of the launch.
packets=$sandbox/packets
: > "$packets"
firewall() {
  local written=0 total stamp address port now
  while :; do
    sleep "$flush"
    [ -e "$sandbox/launched" ] && local last=yes
    total=$(wc -l < "$packets")
    now=$EPOCHSECONDS
    {
      tail -n +$((written + 1)) "$packets" | head -n $((total - written)) | while read -r stamp address port; do
        printf '%(%Y-%m-%d %H:%M:%S)T DROP TCP %s 192.0.2.20 51234 %s 52 S 1234567 0 8192 - - - RECEIVE\r\n' \
          "$stamp" "$address" "$port"
      done
      printf '%(%Y-%m-%d %H:%M:%S)T ALLOW UDP 192.0.2.20 192.0.2.53 61234 53 0 - - - - - - - SEND\r\n' "$now"
    } >> "$live"
    written=$total
    [ -z "${last:-}" ] || return 0
  done
}

# Samples the runs and the snapshot folder until $sandbox/stop appears; prints the
# peaks: processes, their memory together and the largest (KiB), temporary files and
# their bytes.
sample() {
  set +e  # a run may end between pgrep and ps
  local procs=0 total=0 largest=0 temps=0 temp_bytes=0 pids line
  while [ ! -e "$sandbox/stop" ]; do
    pids=$(pgrep -f "^$app/quennet " | tr '\n' ',' || true)
    if [ -n "$pids" ]; then
      line=$(ps -o rss= -p "${pids%,}" | awk '{ n++; s += $1; if ($1 > m) m = $1 } END { printf "%d %d %d\n", n, s, m }')
      read -r n s m <<< "$line"
      ((n > procs)) && procs=$n
      ((s > total)) && total=$s
      ((m > largest)) && largest=$m
    fi
    line=$(find "$folder" -maxdepth 1 -name '*.tmp' -printf '%s\n' 2>/dev/null | awk '{ n++; s += $1 } END { printf "%d %d\n", n, s }')
    read -r n s <<< "$line"
    ((n > temps)) && temps=$n
    ((s > temp_bytes)) && temp_bytes=$s
    sleep 0.2
  done
  echo "$procs $total $largest $temps $temp_bytes"
}

# Starts the runs and waits for them; prints the bytes they wrote and read.
launch() {
  local i address before after me=$BASHPID
  before=$(awk '/^(wchar|rchar)/ { print $2 }' "/proc/$me/io" | tr '\n' ' ')
  exec {noted}>> "$packets"
  for ((i = 0; i < runs; i++)); do
    address=198.18.$((i / 250)).$((i % 250 + 1))
    if ((i == genuine)); then
      address=$genuine_address
      echo "$EPOCHSECONDS $address 7133" >&"$noted"
      sleep 0.2
      echo "$EPOCHSECONDS $address 2280" >&"$noted"
      sleep 0.2
      echo "$EPOCHREALTIME" > "$sandbox/knocked"
    fi
    echo "$EPOCHSECONDS $address 5391" >&"$noted"
    "$app/quennet" --strict "$ports" dt KnockRDP 30 "$address" 3389 < /dev/null > /dev/null 2>&1 &
  done
  touch "$sandbox/launched"
  wait
  after=$(awk '/^(wchar|rchar)/ { print $2 }' "/proc/$me/io" | tr '\n' ' ')
  echo "$before $after"
}

sample > "$sandbox/peaks" &
sampler=$!
firewall &
writer=$!
started=$EPOCHREALTIME
io=$(launch)
ended=$EPOCHREALTIME
wait "$writer"
touch "$sandbox/stop"
wait "$sampler"
for _ in $(seq 50); do [ -s "$sandbox/netsh-started" ] && break; sleep 0.1; done

read -r read_before written_before read_after written_after <<< "$io"
read -r procs total largest temps temp_bytes < "$sandbox/peaks"
gib() { awk -v b="$1" 'BEGIN { printf "%.2f GiB", b / 2^30 }'; }
echo "flood of $runs runs, flush every $flush s, a log of $(($(stat -c %s "$live") >> 20)) MiB, program $QUENNET_BIN"
printf '  wall time, first start to last end:   %.1f s\n' "$(awk -v a="$started" -v b="$ended" 'BEGIN { print b - a }')"
printf '  peak processes:                       %d\n' "$procs"
printf '  peak memory:                          %d MiB together, %.1f MiB the largest run\n' $((total >> 10)) \
  "$(awk -v k="$largest" 'BEGIN { print k / 1024 }')"
echo "  bytes written by the runs:            $(gib $((written_after - written_before))) (read $(gib $((read_after - read_before))))"
printf '  temporary copies at their peak:       %d files, %d MiB\n' "$temps" $((temp_bytes >> 20))
if [ -s "$sandbox/netsh-started" ]; then
  printf '  genuine knock last packet to netsh:   %.1f s\n' \
    "$(awk -v a="$(cat "$sandbox/knocked")" -v b="$(head -n 1 "$sandbox/netsh-started")" 'BEGIN { print b - a }')"
else
  echo "  genuine knock last packet to netsh:   never"
fi
echo "  netsh add: $(grep -c '^netsh .*add' "$QUENNET_COMMAND_RECORD" || true), event 100: $(grep -c '^EVENTCREATE' "$QUENNET_COMMAND_RECORD" || true)," \
  "error.log lines: $(logged "$app/error.log" | wc -l)," \
  "velt.log lines: $(logged "$app/velt.log" | wc -l) ($(logged "$app/velt.log" | grep -cEv "^(Port (7133|2280|5391) has a match in the firewall log|All ports have been successfully matched to IP address $genuine_address)$" || true) not whole)," \
  "files left in the snapshot folder: $(ls "$folder" | tr '\n' ' ')"
