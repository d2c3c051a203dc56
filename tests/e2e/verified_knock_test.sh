# A three-port knock found by correlation and verified: the event, then the rule, under
# a name of shell metacharacters that reaches both commands as it is. Without a port to
# open only the event, and the trace switch writes Debug.log. Then the log, the allow
# text and the rule of each firewall by Windows version, and a knock whose records
# follow NUL bytes.
source "$(dirname "$0")/lib.sh"

name='R;$HOME|x&&touch${IFS}pwned>y*`id`'
event='EVENTCREATE [/L] [APPLICATION] [/SO] [Quennet] [/ID] [100] [/T] [INFORMATION] [/D] [Quennet - Port Knock Authenticated\r\nRule Name='
write_log "-9 701" "-8 445 198.51.100.7" "-7 702" "-6 702" "-5 703"
run_quennet 701,702,703 dt "$name" 30 3389
[ ! -e pwned ] && [ ! -e y ] || fail "a shell interpreted the rule name"
[ -f "$snapshot" ] && [ ! -e "$app/Debug.log" ] || fail "no snapshot, or Debug.log written with the trace switch off"
expect_opened 203.0.113.45 "with a port" "$name"

QUENNET_DEBUG=1 run_quennet 701,702,703 dt KnockRDP 30
expect_eq "$status $(cat "$QUENNET_COMMAND_RECORD")" "0 ${event}KnockRDP\r\nIP=203.0.113.45]" "status and the event alone"
expect_eq "$(logged "$app/Debug.log" | sed -n '1p;$p')" " -  701,702,703 dt KnockRDP 30
 -   port knock successfully detected" "the first and last lines of Debug.log"


# Windows 8, 8.1 and Server 2022 have the newer firewall: its log under system32,
# "ALLOW TCP" for at, netsh advfirewall. The log in the Windows folder, where an
# earlier set-up may have moved it, is read only when the system32 one is missing (a
# knock from another address there shows which one was read). XP is the older one.
# Each host reads the same knock, so the record of openings is forgotten between.
rm -f "$app"/*.log
: > "$QUENNET_COMMAND_RECORD"
older_log=$windir/pfirewall.log
decoy() { LOG_PATH=$1 write_log "-9 701 198.51.100.7" "-7 702 198.51.100.7 $2" "-5 703 198.51.100.7"; }
for version in 2.6.2.9200 2.6.3.9600 2.10.0.20348; do
  write_log "-9 701" "-7 702 203.0.113.45 ALLOW_TCP" "-5 703"
  decoy "$older_log" ALLOW_TCP
  QUENNET_WINDOWS_VERSION=$version run_quennet 701,702,703 dt,at,dt KnockRDP 30 3389
  expect_opened 203.0.113.45 "$version, both logs"
  mv "$live" "$older_log"
  forget_openings
  QUENNET_WINDOWS_VERSION=$version run_quennet 701,702,703 dt,at,dt KnockRDP 30 3389
  expect_opened 203.0.113.45 "$version, only the log in the Windows folder"
  forget_openings
done
LOG_PATH=$older_log write_log "-9 701" "-7 702 203.0.113.45 OPEN-INBOUND_TCP" "-5 703"
decoy "$live" ALLOW_TCP
QUENNET_WINDOWS_VERSION=2.5.1.2600 run_quennet 701,702,703 dt,at,dt KnockRDP 30 3389
expect_opened 203.0.113.45 "Windows XP" KnockRDP older
rm "$older_log"

# An unclean stop leaves NUL bytes stuck to the next record, which counts all the same:
# 212 of them before the first knock record, a torn record of another address before
# the second.
nuls() { printf '\0%.0s' $(seq "$1"); }
{
  log_header
  nuls 212; log_record -9 701; printf '\r\n'
  log_record -8 702 198.51.100.7 | head -c 60; nuls 3; log_record -7 702; printf '\r\n'
  log_record -5 703; printf '\r\n'
  log_record 5 53 192.0.2.20 ALLOW_UDP; printf '\r\n'
} > "$live"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_opened 203.0.113.45 "records after NUL bytes"
