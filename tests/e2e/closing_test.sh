# The closing task's work end to end, against the stand-ins' event log and firewall
# rules: a rule closes MINUTES after its knock, and an event of a later knock that
# another account wrote, which would keep it open, is ignored (the rest, the unit
# tests of expire pin).
source "$(dirname "$0")/lib.sh"
: "${QUENNETCTL_BIN:?}"
cp "$QUENNETCTL_BIN" "$app/quennetctl"
a=203.0.113.45
write_log "-9 701 $a" "-7 702 $a" "-5 703 $a"
QUENNET_EVENT_TIME=2012-07-17T08:00:00 run_quennet 701,702,703 dt KnockRDP 30 3389
expect_opened "$a" "knock at 08:00"
QUENNET_EVENT_LOG=$sandbox/forged QUENNET_EVENT_TIME=2012-07-17T08:20:00 EVENTCREATE /L APPLICATION /SO Quennet /ID 100 \
  /T INFORMATION /D $'Quennet - Port Knock Authenticated\r\nRule Name=KnockRDP\r\nIP='"$a"$'\r\nport=3389'
sed 's/S-1-5-18/S-1-5-21-1004336348-1177238915-682003330-1001/' "$sandbox/forged" >> "$QUENNET_EVENT_LOG"

# expire TIME: the closing task's run at TIME; prints the commands it changed with and
# the rules left.
expire() {
  : > "$QUENNET_COMMAND_RECORD"
  QUENNET_EVENT_TIME=${1%Z} "$app/quennetctl" expire --now "$1" KnockRDP 3389 30 > "$sandbox/stdout" 2>&1 || fail "expire at $1"
  echo "$(grep -E '^(EVENTCREATE|netsh .*\[delete\])' "$QUENNET_COMMAND_RECORD")|$(cat "$QUENNET_FIREWALL_RULES")"
}
expect_eq "$(expire 2012-07-17T08:29:59Z)" "|KnockRDP $a 3389" "expire before 30 minutes"
expect_eq "$(expire 2012-07-17T08:30:00Z)" "netsh [advfirewall] [firewall] [delete] [rule] [name=KnockRDP] [remoteip=$a]
EVENTCREATE [/L] [APPLICATION] [/SO] [Quennet] [/ID] [101] [/T] [INFORMATION] [/D] [Quennet - Port Closed\r\nRule Name=KnockRDP\r\nIP=$a\r\nport=3389]|" \
  "expire after 30 minutes, the forged event ignored"
grep -q "^ignored 1 event(s) of Quennet that another account than SYSTEM wrote" "$sandbox/stdout" || fail "forged event not named"
