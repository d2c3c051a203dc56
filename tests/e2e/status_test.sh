# quennetctl status on a host that install wired, against stand-ins that print what
# Windows prints: with every link whole it exits 0; each link broken in turn, by the
# Windows command that breaks it, gives 1 and one FAIL line naming it, with the
# command that mends it. The informative lines come before the checks.
source "$(dirname "$0")/lib.sh"
: "${QUENNETCTL_BIN:?}"
[ "$(id -u)" = 0 ] || { echo "install refuses without root: skipped"; exit 77; }
cp "$QUENNETCTL_BIN" "$app/quennetctl"
"$app/quennetctl" install --close-after 30 701,702,703 dt KnockRDP 30 3389 > /dev/null || fail "install"
cp "$QUENNET_SETTINGS" "$sandbox/settings.saved"
cp -r "$QUENNET_TASK_FOLDER" "$sandbox/tasks.saved"
printf 'line %s\r\n' 1 2 3 4 5 6 > "$app/velt.log"
data=$programdata/Tolvaren/Quennet

stale_log() { { log_header; log_record -90000 701; printf '\r\n'; } > "$live"; }

# BREAK | the name in the FAIL line it gives | the first command that mends it
while IFS='|' read -r break failed mend; do
  cp "$sandbox/settings.saved" "$QUENNET_SETTINGS"
  rm -rf "$QUENNET_TASK_FOLDER" && cp -r "$sandbox/tasks.saved" "$QUENNET_TASK_FOLDER"
  chmod 700 "$app" && chmod 755 "$data"
  write_log
  eval "$break" > /dev/null
  status=0
  "$app/quennetctl" status KnockRDP > "$sandbox/stdout" 2>&1 || status=$?
  checks=$(sed -n '/^Checks:$/,$p' "$sandbox/stdout")
  if [ -z "$failed" ]; then
    expect_eq "$status|$(grep -c '^ok ' <<< "$checks")|$(tail -n 1 <<< "$checks")" "0|9|all 9 checks hold" "every link whole"$'\n'"$checks"
    continue
  fi
  expect_eq "$status|$(grep -c '^FAIL' <<< "$checks")|$(grep -m1 '^FAIL' <<< "$checks" | sed 's/: .*//')|$(grep -m1 '^     mend: ' <<< "$checks")|$(tail -n 1 <<< "$checks")" \
    "1|1|FAIL $failed|     mend: $mend|1 of 9 checks fail" "$break"$'\n'"$checks"
done << TABLE
||
auditpol /set /subcategory:{0CCE9225-69AE-11D9-BED3-505054503030} /failure:disable|audit of dropped packets|auditpol /set /subcategory:{0CCE9225-69AE-11D9-BED3-505054503030} /failure:enable
netsh advfirewall set privateprofile logging droppedconnections disable|dropped-packet logging|netsh advfirewall set allprofiles logging droppedconnections enable
netsh advfirewall set publicprofile logging filename 'C:\\elsewhere.log'|firewall log file|netsh advfirewall set allprofiles logging filename "$windir\\system32\\LogFiles\\Firewall\\pfirewall.log"
stale_log|firewall log's newest line|netsh advfirewall set allprofiles logging filename "$windir\\system32\\LogFiles\\Firewall\\pfirewall.log"
schtasks /delete /tn 'Quennet KnockRDP' /f|knock task|quennetctl install [--close-after MINUTES] PORTS ACTIONS KnockRDP SECONDS PORT (as installed first)
chmod o+rx "$app"|program folder|icacls "$app" /inheritance:r /grant:r *S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F
chmod o+w "$data"|Quennet's folder|quennetctl install [--close-after MINUTES] PORTS ACTIONS KnockRDP SECONDS PORT (as installed first)
TABLE

# The informative lines of the last run: the version, the log read, the log files' ends.
expect_eq "$(sed -n '/^Windows reports/,/^Checks:$/p' "$sandbox/stdout")" "Windows reports version 6.1.7601
The firewall log Quennet reads here: $windir\\system32\\LogFiles\\Firewall\\pfirewall.log
error.log: empty or missing
velt.log, last lines:
  line 2
  line 3
  line 4
  line 5
  line 6
Checks:" "status shows the version, the log it reads and the log files' last lines"
