# quennetctl against the stand-in commands: the task XML that install writes, as
# schtasks reads it and Windows acts on it, and that task prints; uninstall's removal
# of the link to the log that an earlier install made; check's bounds of the ports.
# The exact command lines of each subcommand on each host, their unit tests pin.
source "$(dirname "$0")/lib.sh"
: "${QUENNETCTL_BIN:?}"
cp "$QUENNETCTL_BIN" "$app/quennetctl"
[ "$(id -u)" = 0 ] || { echo "install refuses without root: skipped"; exit 77; }
knock=(701,702,703 dt KnockRDP 30 3389)

"$app/quennetctl" install --close-after 10 "${knock[@]}" > /dev/null || fail "install"
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
expect_eq "$(field "$xml" Arguments)|$(field "$close_xml" MultipleInstancesPolicy)|$(xmllint --xpath "count(//*[local-name()='BootTrigger'])" "$close_xml")|$(field "$close_xml" Interval)|$(field "$close_xml" Arguments)" \
  "--strict 701,702,703 dt KnockRDP 30 \$(SourceAddress) 3389|IgnoreNew|1|PT1M|expire KnockRDP 3389 10" \
  "the knock task strict by default; the closing task every minute, at start-up, one at a time"
"$app/quennetctl" task "${knock[@]}" > "$sandbox/stdout" || fail "task"
cmp -s "$sandbox/stdout" "$xml" || fail "task without --close-after prints another XML than the knock task install writes"

# uninstall on Windows 8: the link to the firewall log that earlier installs made goes;
# one to anything else stays.
earlier_log="$windir/pfirewall.log"
for target in "$windir/system32/LogFiles/Firewall/pfirewall.log" "$sandbox/elsewhere.log"; do
  ln -sf "$target" "$earlier_log"
  QUENNET_WINDOWS_VERSION=2.6.2.9200 "$app/quennetctl" uninstall KnockRDP 3389 > "$sandbox/stdout" || fail "uninstall"
  echo "$target: $(grep '^removed' "$sandbox/stdout"), $(ls "$earlier_log" 2>&1 | grep -c 'No such')" >> "$sandbox/links"
done
expect_eq "$(cat "$sandbox/links")" "$windir/system32/LogFiles/Firewall/pfirewall.log: removed $windir\\pfirewall.log, the link to the firewall log that an earlier install made, 1
$sandbox/elsewhere.log: , 0" "uninstall removes the link to the firewall log, and no other"

# check: the lowest port above the well-known ones passes, the highest of them warns.
while read -r ports expected; do
  "$app/quennetctl" check "$ports" > "$sandbox/stdout" && status=0 || status=$?
  expect_eq "$status $(grep -c '^warning' "$sandbox/stdout")" "$expected" "check $ports"
done <<'TABLE'
7100,1024,49152 0 0
7100,1023,3301 1 1
TABLE
