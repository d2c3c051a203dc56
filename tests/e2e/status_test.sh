# quennetctl status on a host that install wired, against stand-ins that print what
# Windows prints: with every link whole it exits 0; a link broken by the Windows command
# that breaks it gives 1 and the FAIL line naming it (the other links, the unit tests
# of status pin).
source "$(dirname "$0")/lib.sh"
: "${QUENNETCTL_BIN:?}"
[ "$(id -u)" = 0 ] || { echo "install refuses without root: skipped"; exit 77; }
cp "$QUENNETCTL_BIN" "$app/quennetctl"
"$app/quennetctl" install --close-after 30 701,702,703 dt KnockRDP 30 3389 > /dev/null || fail "install"
write_log
ctl_status() { # prints the status, the FAIL lines' names and the last line
  local status=0
  "$app/quennetctl" status KnockRDP > "$sandbox/stdout" 2>&1 || status=$?
  echo "$status|$(sed -n 's/^\(FAIL [^:]*\): .*/\1/p' "$sandbox/stdout")|$(tail -n 1 "$sandbox/stdout")"
}
expect_eq "$(ctl_status)|$(grep -c '^Windows reports version 6.1.7601$' "$sandbox/stdout")" "0||all 9 checks hold|1" \
  "every link whole, and the version"
netsh advfirewall set privateprofile logging droppedconnections disable > /dev/null
expect_eq "$(ctl_status)" "1|FAIL dropped-packet logging|1 of 9 checks fail" "dropped-packet logging disabled"
