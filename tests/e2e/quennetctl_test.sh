# quennetctl against the stand-in commands, by subcommand: the exact command lines on
# a Windows 7 host (newer firewall), Windows XP (older) and Windows 8 (newer, no link
# to the log); the task XML, strict unless --lenient; install run again; the refusals
# the unit tests leave to a real run; a failing command. status has a script of its own;
# install's refusal of an open or foreign program folder is pinned by its unit test.
source "$(dirname "$0")/lib.sh"
: "${QUENNETCTL_BIN:?}"
cp "$QUENNETCTL_BIN" "$app/quennetctl"
[ "$(id -u)" = 0 ] || { echo "install refuses without root: skipped"; exit 77; }
record=$QUENNET_COMMAND_RECORD
knock=(701,702,703 dt KnockRDP 30 3389)
declare -A versions=([newer]=2.6.1.7601 [older]=2.5.1.2600 [v62]=2.6.2.9200)

run_ctl() { # VERSION ARGUMENTS...
  local version=${versions[$1]}
  shift
  : > "$record"
  status=0
  QUENNET_WINDOWS_VERSION=$version "$app/quennetctl" "$@" > "$sandbox/stdout" 2> "$sandbox/stderr" || status=$?
}
expect_record() { expect_eq "$status|$(cat "$record")" "$1" "$2"; }

event='EVENTCREATE [/L] [APPLICATION] [/SO] [Quennet] [/ID] [101] [/T] [INFORMATION] [/D] [Quennet - Port Closed\r\nRule Name=KnockRDP\r\nport=3389]'
newer_removal='netsh [advfirewall] [firewall] [delete] [rule] [name=KnockRDP]'
older_removal='Netsh [firewall] [delete] [portopening] [tcp] [3389]'
declare -A removal=([newer]=$newer_removal [older]=$older_removal [v62]=$newer_removal)

# close (uninstall below shows the removal on every host)
run_ctl older close KnockRDP 3389
expect_record "0|$older_removal
$event" "close on the older host"
QUENNET_FAIL_COMMAND=netsh run_ctl newer close KnockRDP 3389
expect_eq "$status|$(cat "$sandbox/stderr")|$(cat "$record")" \
  "1|quennetctl close: failed: exit status 1 from: netsh advfirewall firewall delete rule name=KnockRDP|$newer_removal" \
  "a failing netsh ends close before the event"
run_ctl newer close 'R;x' 3389  # the name goes unquoted into the commands
expect_record "2|" "close refuses a rule name of other characters"

# install
logging='netsh [advfirewall] [set] [allprofiles] [logging]'
setup="auditpol [/set] [/subcategory:{0CCE9225-69AE-11D9-BED3-505054503030}] [/failure:enable]
$logging [filename] [$windir\\system32\\LogFiles\\Firewall\\pfirewall.log]
$logging [maxfilesize] [32767]
$logging [droppedconnections] [enable]"
private="icacls [$app] [/inheritance:r] [/grant:r] [*S-1-5-18:(OI)(CI)F] [*S-1-5-32-544:(OI)(CI)F]
icacls [$app\\*] [/reset] [/t] [/c] [/q]"
register="schtasks [/create] [/xml] [$app\\Quennet KnockRDP.xml] [/tn] [Quennet KnockRDP] [/f]"
register_close="schtasks [/create] [/xml] [$app\\Quennet KnockRDP close.xml] [/tn] [Quennet KnockRDP close] [/f]"
query="schtasks [/query] [/tn] [Quennet KnockRDP] [/xml] [ONE]"
query_close="schtasks [/query] [/tn] [Quennet KnockRDP close] [/xml] [ONE]"
run_ctl newer install --close-after 10 "${knock[@]}"
expect_record "0|$setup
$private
$query
$register
$register_close" "install on the newer host"
grep -q '^warning: the ports are in ascending order' "$sandbox/stdout" || fail "install does not warn as check does"
run_ctl older install "${knock[@]}"
expect_record "1|" "install refused on the older host"

# The task XML, as schtasks read it (the stand-in keeps it) and as Windows acts on it.
xml="$QUENNET_TASK_FOLDER/Quennet KnockRDP.xml"
close_xml="$QUENNET_TASK_FOLDER/Quennet KnockRDP close.xml"
expect_eq "$(head -c 2 "$xml" | od -An -tx1 | tr -d ' ')|$(ls "$app" | tr "\n" " ")" "fffe|quennet quennetctl " \
  "the task XML starts with the UTF-16LE mark, and install removed it"
for file in "$xml" "$close_xml"; do
  iconv -f UTF-16 -t UTF-8 "$file" | sed '1s/"UTF-16"/"UTF-8"/' > "$sandbox/task.xml"
  xmllint --noout --schema "$QUENNET_SOURCE/tests/e2e/task.xsd" "$sandbox/task.xml" 2> "$sandbox/xmllint" ||
    fail "$file does not follow the task schema: $(cat "$sandbox/xmllint")"
done
field() { xmllint --xpath "string(//*[local-name()='$2'])" "$1"; }
expect_eq "$(field "$xml" Subscription)" \
  "<QueryList><Query Id=\"0\" Path=\"Security\"><Select Path=\"Security\">*[System[EventID=5152]] and *[EventData[Data[@Name='Direction']='%%14592' and Data[@Name='Protocol']='6' and Data[@Name='DestPort']='703']]</Select></Query></QueryList>" \
  "the trigger of dropped inbound TCP packets to 703"
expect_eq "$(field "$xml" Value)|$(field "$xml" Command)|$(field "$xml" Arguments)" \
  "Event/EventData/Data[@Name='SourceAddress']|\"$app\\quennet.exe\"|--strict 701,702,703 dt KnockRDP 30 \$(SourceAddress) 3389" \
  "the sender's address as token 5, strict by default"
for file in "$xml" "$close_xml"; do
  expect_eq "$(field "$file" SecurityDescriptor) $(field "$file" UserId) $(field "$file" RunLevel) $(field "$file" DisallowStartIfOnBatteries) $(field "$file" StopIfGoingOnBatteries) $(field "$file" ExecutionTimeLimit)" \
    "D:P(A;;FA;;;SY)(A;;FA;;;BA) S-1-5-18 HighestAvailable false false PT5M" "access, principal and settings of $file"
done
expect_eq "$(field "$xml" MultipleInstancesPolicy)|$(field "$close_xml" MultipleInstancesPolicy)|$(xmllint --xpath "count(//*[local-name()='BootTrigger'])" "$close_xml")|$(field "$close_xml" Interval)|$(xmllint --xpath "count(//*[local-name()='Duration'])" "$close_xml")|$(field "$close_xml" Arguments)" \
  "Parallel|IgnoreNew|1|PT1M|0|expire KnockRDP 3389 10" "the closing task: every minute without end, at start-up, one at a time"

# task prints what install writes; --lenient and a UDP knock reach it, with a warning.
run_ctl newer task "${knock[@]}"
cmp -s "$sandbox/stdout" "$xml" || fail "task prints another XML than install writes"
lenient_warning="warning: --lenient lets any sweep that passes through the knock ports in order open the port to the sweeper, and one with a spoofed source to the address it claims"
run_ctl newer task --lenient 5001,6002,7003 dt,du KnockRDP 30 3389
expect_eq "$(field "$sandbox/stdout" Arguments)|$(cat "$sandbox/stderr")" \
  "5001,6002,7003 dt,du KnockRDP 30 \$(SourceAddress) 3389|$lenient_warning" "lenient arguments, warned about"
field "$sandbox/stdout" Subscription | grep -q "Data\[@Name='Protocol'\]='17' and Data\[@Name='DestPort'\]='7003'" || fail "UDP trigger"
run_ctl newer task --strict --lenient "${knock[@]}"
expect_eq "$status|$(head -n 1 "$sandbox/stderr")" "2|quennetctl task: --strict and --lenient exclude each other" "--strict with --lenient"

# Windows 8: the newer firewall's host set-up, and no link to the log.
run_ctl v62 install --print "${knock[@]}"
  expect_eq "$status|$(grep -v -e '^warning' -e '^ ' -e '^> ' -e '^<' -e '^---' -e '^making ' "$sandbox/stdout")|$(grep -c '<Arguments>--strict ' "$sandbox/stdout")" \
    "0|auditpol /set /subcategory:{0CCE9225-69AE-11D9-BED3-505054503030} /failure:enable
netsh advfirewall set allprofiles logging filename \"$windir\\system32\\LogFiles\\Firewall\\pfirewall.log\"
netsh advfirewall set allprofiles logging maxfilesize 32767
netsh advfirewall set allprofiles logging droppedconnections enable
icacls \"$app\" /inheritance:r /grant:r *S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F
icacls \"$app\\*\" /reset /t /c /q
schtasks /delete /tn \"Quennet KnockRDP close\" /f
schtasks /create /xml \"$app\\Quennet KnockRDP.xml\" /tn \"Quennet KnockRDP\" /f|1" \
  "install --print on Windows 8, without the closing task an install with --close-after made"

# Bad values are refused (that --print changes nothing, closing_test.sh shows).
run_ctl newer install 701,702,703 dt,at KnockRDP 30 3389
expect_record "2|" "a last knock that is not dropped"
run_ctl newer
expect_eq "$status|$(head -n 1 "$sandbox/stderr")" "2|Usage: quennetctl SUBCOMMAND [--help | ARGUMENTS]" "no subcommand"

# install again with the same arguments changes nothing; with other ones (another port,
# no closing task, lenient) it leaves what a single install with them leaves: the
# rules of the old port closed, the closing task gone, another rule's set-up kept.
host_state() { # the tasks, the rules, the settings as Windows prints them, the folders
  (cd "$QUENNET_TASK_FOLDER" && md5sum -- *)
  cat "$QUENNET_FIREWALL_RULES"
  auditpol /get /subcategory:{0CCE9225-69AE-11D9-BED3-505054503030} /r
  netsh advfirewall show allprofiles logging
  ls -A "$app"
  stat -c '%n %a %u' "$app" "$programdata/Tolvaren" "$programdata/Tolvaren/Quennet"
}
run_ctl newer install --close-after 10 "${knock[@]}"
printf 'KnockRDP 203.0.113.45 3389\nOtherRule 192.0.2.1 3389\n' > "$QUENNET_FIREWALL_RULES"
first=$(QUENNET_COMMAND_RECORD=/dev/null host_state)
run_ctl newer install --close-after 10 "${knock[@]}"
expect_eq "$status|$(cat "$record")|$(QUENNET_COMMAND_RECORD=/dev/null host_state)" "0|$setup
$private
$query
$register
$register_close|$first" "install again with the same arguments"
other=(--lenient 5001,6002,7003 dt,du KnockRDP 60 3390)
run_ctl newer install "${other[@]}"
expect_record "0|$setup
$private
$query
$newer_removal
$event
$query_close
schtasks [/delete] [/tn] [Quennet KnockRDP close] [/f]
$register" "install with other arguments closes the old port's rules and removes the closing task"
after=$(QUENNET_COMMAND_RECORD=/dev/null host_state)
rm "$QUENNET_TASK_FOLDER"/*
run_ctl newer install "${other[@]}"
expect_eq "$status|$(QUENNET_COMMAND_RECORD=/dev/null host_state)|$(grep -c '^OtherRule ' "$QUENNET_FIREWALL_RULES")" \
  "0|$after|1" "what is left is what one install with the other arguments leaves; OtherRule stays"

# uninstall: tasks that the stand-in does not know are not deleted. The link to the
# firewall log that earlier installs made goes; one to anything else stays.
earlier_log="$windir/pfirewall.log"
for host in newer older v62; do
  run_ctl $host uninstall KnockRDP 3389
  expect_record "0|schtasks [/query] [/tn] [Quennet KnockRDP]
schtasks [/delete] [/tn] [Quennet KnockRDP] [/f]
schtasks [/query] [/tn] [Quennet KnockRDP close]
schtasks [/delete] [/tn] [Quennet KnockRDP close] [/f]
${removal[$host]}
$event" "uninstall on the $host host"
done
for target in "$windir/system32/LogFiles/Firewall/pfirewall.log" "$sandbox/elsewhere.log"; do
  ln -sf "$target" "$earlier_log"
  run_ctl v62 uninstall KnockRDP 3389
  echo "$target: $(grep '^removed' "$sandbox/stdout"), $(ls "$earlier_log" 2>&1 | grep -c 'No such')" >> "$sandbox/links"
done
expect_eq "$(cat "$sandbox/links")" "$windir/system32/LogFiles/Firewall/pfirewall.log: removed $windir\\pfirewall.log, the link to the firewall log that an earlier install made, 1
$sandbox/elsewhere.log: , 0" "uninstall removes the link to the firewall log, and no other"
rm "$earlier_log"
grep -q 'auditpol /set /subcategory:{0CCE9225-69AE-11D9-BED3-505054503030} /failure:disable' "$sandbox/stdout" ||
  fail "uninstall says how to revert what it leaves"
QUENNET_FAIL_COMMAND=schtasks run_ctl newer uninstall KnockRDP 3389
expect_eq "$status|$(grep -c delete "$record")" "0|1" "uninstall without tasks"

# check
while read -r ports expected; do
  "$app/quennetctl" check "$ports" > "$sandbox/stdout" && status=0 || status=$?
  expect_eq "$status $(grep -c '^warning' "$sandbox/stdout")" "$expected" "check $ports"
done <<'TABLE'
7100,1024,49152 0 0
7100,3301 1 2
49152,7100,3301 1 1
7100,7110,3301 1 1
7100,1023,3301 1 1
TABLE
"$app/quennetctl" check 701,x > /dev/null 2>&1 && status=0 || status=$?
expect_eq "$status" 2 "check of a bad port list"
"$app/quennetctl" check --lenient 7100,1024,49152 > "$sandbox/stdout" && status=0 || status=$?
expect_eq "$status|$(cat "$sandbox/stdout")" "1|$lenient_warning" "check --lenient"
