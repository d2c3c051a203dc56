# Run as root against a folder and files that someone else could steer: a snapshot
# folder of another owner, writable by others or a link; a planted snapshot; a stale
# temporary copy.
source "$(dirname "$0")/lib.sh"

if [ "$(id -u)" != 0 ]; then
  echo "not root, so no folder of another owner can be made: skipped"
  exit 77
fi

folder="$programdata/Tolvaren/Quennet"
not_trusted="Run-time error '70': The folder $programdata\\Tolvaren\\Quennet is not trusted: "
planted() { # makes the snapshot folder as given, with a planted snapshot that names 198.51.100.66
  rm -rf "$programdata/Tolvaren"
  mkdir -p "$folder"
  LOG_PATH="$snapshot" write_log "-9 701 198.51.100.66" "-7 702 198.51.100.66" "-5 703 198.51.100.66"
}
expect_refused() { # why what
  run_quennet 701,702,703 dt KnockRDP 30 3389
  expect_eq "$status|$(cat "$sandbox/stderr")" "1|$not_trusted$1" "status and report ($2)"
  expect_no_commands
  [ ! -e "$app/error.log" ] && [ ! -e "$app/velt.log" ] || fail "lines were logged ($2)"
}

planted
chown -R 65534 "$folder"
expect_refused "it is owned by another account" "folder of another owner"

planted
mv "$folder" "$programdata/elsewhere"
ln -s "$programdata/elsewhere" "$folder"
expect_refused "it is a symbolic link, junction or other reparse point" "a link in the folder's place"

# A folder owned right but open to others is closed and used; the snapshot another
# user planted there is removed unread, and so is a copy a killed run left.
for mode in 0775 0757 1777; do
  planted
  chmod "$mode" "$programdata/Tolvaren" "$folder"
  chown 65534 "$snapshot"
  touch "$folder/kfirewall.log.999999999.tmp"
  run_quennet 701,702,703 dt KnockRDP 30 3389
  expect_eq "$status|$(stat -c %a "$programdata/Tolvaren" "$folder" | tr '\n' ' ')|$(ls -A "$folder")" "0|755 755 |" \
    "status, modes and what is left in the folder ($mode)"
  expect_eq "$(logged "$app/error.log")" "No IP address was returned from correlation" "error.log ($mode)"
  expect_no_commands
  rm "$app/error.log"
done

# With the live log back, a run that nobody tampered with.
write_log "-9 701" "-7 702" "-5 703"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_opened 203.0.113.45 "the folder reset"
