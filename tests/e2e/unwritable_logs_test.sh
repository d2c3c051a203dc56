# Log files that cannot be written, by root as well: every line is lost without a word,
# and the run goes on to its commands and ends with status 0.
source "$(dirname "$0")/lib.sh"

write_log "-9 701" "-7 702" "-5 703"
expect_run_unlogged() { # what
  expect_eq "$status|$(cat "$sandbox/stderr")|$(cut -d ' ' -f 1 "$QUENNET_COMMAND_RECORD" | sort)" \
    "0||EVENTCREATE"$'\n'"netsh" "status, standard error and commands ($1)"
  : > "$QUENNET_COMMAND_RECORD"
}

# The program folder on a read-only mount, where this host allows a private one.
if unshare --user --map-root-user --mount true 2> /dev/null; then
  status=0
  QUENNET_DEBUG=1 unshare --user --map-root-user --mount bash -c \
    'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && exec "$1/quennet" "${@:2}"' \
    _ "$app" 701,702,703 dt KnockRDP 30 3389 2> "$sandbox/stderr" | cat > /dev/null || status=$?
  expect_run_unlogged "read-only folder"
  expect_eq "$(ls "$app")" "quennet" "files in the read-only folder"
else
  echo "note: no private mount here, the read-only folder is not tried" >&2
fi

# Folders in the place of two log files, and velt.log on a full disk.
mkdir "$app/error.log" "$app/Debug.log"
ln -s /dev/full "$app/velt.log"
QUENNET_DEBUG=1 run_quennet 701,702,703 dt KnockRDP 30 3389
expect_run_unlogged "unwritable files"
run_quennet 701,702,704 dt KnockRDP 30 3389
expect_eq "$status|$(find "$app/error.log" "$app/Debug.log" -mindepth 1)" "0|" "status without an address, files in the folders"
