# Without a knock to check the program only makes its folders; --help and --version
# touch nothing at all.
source "$(dirname "$0")/lib.sh"

run_quennet --help
expect_eq "$status" 0 "--help status"
grep -q 'QUENNET_REGISTRY' "$sandbox/stdout" || fail "--help shows no usage"
run_quennet --version
expect_eq "$(cat "$sandbox/stdout")" "quennet 1.0.0" "--version"
[ ! -e "$programdata/Tolvaren" ] || fail "--help or --version made a folder"

for arguments in "" "701,702,703" "701 dt KnockRDP"; do
  # shellcheck disable=SC2086
  run_quennet $arguments
  expect_eq "$status" 0 "exit status for '$arguments'"
  [ -d "$programdata/Tolvaren/Quennet" ] || fail "folders missing after '$arguments'"
  expect_eq "$(ls "$app")" "quennet" "no log file for '$arguments'"
done
expect_no_commands
