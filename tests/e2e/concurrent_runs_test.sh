# Eight runs at once on one live log of several MiB, each verifying its own knock:
# they share the snapshot and the log files, and every run sees a whole snapshot and
# writes whole lines. Then 200 runs started by one knock (the client's last packet
# sent again and again) open it once (that a later knock opens again, the unit test of
# the openings pins).
source "$(dirname "$0")/lib.sh"

# Run i knocks on 7i1, 7i2 and 7i3 from 203.0.113.1i.
knock_lines() {
  local now port i  # now stamps the records (log_record)
  now=$(date +%s)
  for port in 1 2 3; do
    for i in {1..8}; do
      log_record $((port * 2 - 11)) "7$i$port" "203.0.113.1$i"
      printf '\r\n'
    done
  done
  log_record 10 53 192.0.2.20 ALLOW_UDP
  printf '\r\n'
}
# The benchmark's traffic of a 2012 evening, long before the knocks' window.
{ awk -v bytes=$((5 * 1024 * 1024)) -f "$QUENNET_SOURCE/bench/firewall_log.awk"; knock_lines; } > "$live"

# Each run's pipe closes when the commands it started have recorded (run_quennet).
for i in {1..8}; do
  (status=0
   timeout 60 "$app/quennet" "7${i}1,7${i}2,7${i}3" dt "Knock$i" 30 3389 2>&1 | cat > "$sandbox/out$i" || status=$?
   echo "$status$(cat "$sandbox/out$i")" > "$sandbox/result$i") &
done
wait
expect_eq "$(cat "$sandbox"/result*)" "$(printf '0\n%.0s' {1..8})" "status and output of each run"

# Each line whole and of one of the two shapes, each run's four lines there, and a
# rule for each run's own address.
shape='^[0-9]+/[0-9]+/[0-9]{4}( [0-9]+:[0-9]{2}:[0-9]{2} [AP]M)? '
shape+='(Port 7[1-8][1-3] has a match in the firewall log|All ports have been successfully matched to IP address 203\.0\.113\.1[1-8])'$'\r$'
expect_eq "$(grep -cEv "$shape" "$app/velt.log")" 0 "velt.log lines of another shape"
expect_eq "$(logged "$app/velt.log" | sort -u | wc -l)|$(sed -nE 's/^netsh .*\[name=Knock([1-8])\].*\[remoteip=203\.0\.113\.1\1\]$/\1/p' \
  "$QUENNET_COMMAND_RECORD" | sort | tr -d '\n')" "32|12345678" "distinct velt.log lines, and netsh for each run's address"
expect_eq "$(grep -c '^EVENTCREATE .*\\nport=3389\]$' "$QUENNET_COMMAND_RECORD")" 8 "event commands"

expect_eq "$(logged "$app/error.log")|$(ls "$(dirname "$snapshot")")" "|kfirewall.log" "error.log, files beside the snapshot"
cmp -s "$snapshot" "$live" || fail "the snapshot differs from the live log"

# Each run writes its lines; the event and the rule come once. The pipe closes when
# the last run and the last command they started have ended.
rm -f "$app"/*.log
: > "$QUENNET_COMMAND_RECORD"
write_log "-9 701" "-7 702" "-5 703"
for _ in {1..200}; do
  timeout 60 "$app/quennet" 701,702,703 dt KnockRDP 30 203.0.113.45 3389 &
done 2>&1 | cat > "$sandbox/out"
expect_eq "$(cat "$sandbox/out")|$(logged "$app/velt.log" | sort | uniq -c | sed 's/^ *//')" "|200 All ports have been successfully matched to IP address 203.0.113.45
200 Port 701 has a match in the firewall log
200 Port 702 has a match in the firewall log
200 Port 703 has a match in the firewall log" "output of the runs and their velt.log lines"
expect_opening_commands 203.0.113.45 "200 runs of one knock"
