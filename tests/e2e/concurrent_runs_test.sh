# 200 runs started by one knock (the client's last packet sent again and again): each
# writes its lines, and the event and the rule come once (that runs on several knocks
# share the snapshot and the log files, the Wine run's 30 runs show; that a later
# knock opens again, the unit test of the openings pins). The pipe closes when the
# last run and the last command they started have ended.
source "$(dirname "$0")/lib.sh"

write_log "-9 701" "-7 702" "-5 703"
for _ in {1..200}; do
  timeout 60 "$app/quennet" 701,702,703 dt KnockRDP 30 203.0.113.45 3389 &
done 2>&1 | cat > "$sandbox/out"
expect_eq "$(cat "$sandbox/out")|$(logged "$app/velt.log" | sort | uniq -c | sed 's/^ *//')" "|200 All ports have been successfully matched to IP address 203.0.113.45
200 Port 701 has a match in the firewall log
200 Port 702 has a match in the firewall log
200 Port 703 has a match in the firewall log" "output of the runs and their velt.log lines"
expect_opening_commands 203.0.113.45 "200 runs of one knock"
