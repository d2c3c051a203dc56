# Run as root against a snapshot folder that someone else could steer, with a planted
# snapshot: of another owner, or a link, it is refused with the fatal report (a folder
# open to others, the unit tests of the folder's security pin).
source "$(dirname "$0")/lib.sh"
[ "$(id -u)" = 0 ] || { echo "not root, so no folder of another owner can be made: skipped"; exit 77; }

folder="$programdata/Tolvaren/Quennet"
expect_refused() { # why
  run_quennet 701,702,703 dt KnockRDP 30 3389
  expect_eq "$status|$(cat "$sandbox/stderr")|$(cat "$QUENNET_COMMAND_RECORD")" \
    "1|Run-time error '70': The folder $programdata\\Tolvaren\\Quennet is not trusted: $1|" "status, report and commands ($1)"
}
mkdir -p "$folder"
LOG_PATH="$snapshot" write_log "-9 701 198.51.100.66" "-7 702 198.51.100.66" "-5 703 198.51.100.66"
chown -R 65534 "$folder"
expect_refused "it is owned by another account"
chown -R 0 "$folder"
mv "$folder" "$programdata/elsewhere"
ln -s "$programdata/elsewhere" "$folder"
expect_refused "it is a symbolic link, junction or other reparse point"
