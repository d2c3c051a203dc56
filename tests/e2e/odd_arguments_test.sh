# Arguments of any bytes, a lone quote, very long ones: a sound knock is verified with
# the odd tokens passed on as they are, and no run fails but the one whose event
# message no command could take.
source "$(dirname "$0")/lib.sh"

every_byte=$(printf '%b' "$(printf '\\x%02x' {1..255})")
no_blank=${every_byte// /}
long=$(printf 'x%.0s' {1..100000})
write_log "-9 701" "-7 702" "-5 703"

# The blank among all the bytes makes two tokens: nothing to verify.
run_quennet "$every_byte"
expect_eq "$status $(ls "$app")" "0 quennet" "status and files for every byte"

run_quennet 701,702,703 dt KnockRDP 30 "$no_blank" "$no_blank" "$no_blank"
expect_verified_knock "every byte as tokens 5 to 7"
run_quennet 701,702,703 dt "$no_blank" 30 3389
expect_verified_knock "every byte as the rule name"
run_quennet 701,702,703 dt '"' 30 3389
expect_verified_knock "a lone quote as the rule name"
run_quennet 701,702,703 dt "$long" 30 "$long" "$long" 3389
expect_verified_knock "100000-byte tokens"

# Lists and a window that find nothing.
run_quennet "$no_blank" "$no_blank" KnockRDP 30 3389
statuses=$status
run_quennet 701,702,703 dt KnockRDP "$(printf '9%.0s' {1..100000})" 3389
statuses+=" $status"
run_quennet "$(printf '9,%.0s' {1..50000})703" dt KnockRDP 30 3389
expect_eq "$statuses $status|$(logged "$app/error.log")|$(logged "$app/velt.log")" "0 0 0|No IP address was returned from correlation
No IP address was returned from correlation|" "every byte as the lists, a 100000-digit window, a 50000-port list"
expect_no_commands

# An event message longer than Linux lets one argument be (128 KiB): EVENTCREATE
# cannot start, which ends the run with the fatal report after the lines of the knock.
run_quennet 701,702,703 dt "$(printf 'x%.0s' {1..131000})" 30 3389
expect_eq "$status|$(cat "$sandbox/stderr")|$(logged "$app/velt.log" | wc -l)" \
  "1|Run-time error '75': Path/File access error|4" "a 131000-byte rule name: status, standard error, velt.log lines"
expect_no_commands
