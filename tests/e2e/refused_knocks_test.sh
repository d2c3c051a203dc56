# Knocks that open nothing: no address from correlation, a knock out of order, and a
# knock source that is not a single address.
source "$(dirname "$0")/lib.sh"

write_log "-9 701" "-7 702"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_eq "$status" 0 "exit status"
expect_eq "$(lines_of "$app/error.log" | sed 's/^.* No IP/No IP/')" "No IP address was returned from correlation" "error.log"
[ ! -e "$app/velt.log" ] || fail "velt.log written"
rm "$app/error.log"

write_log "-9 702" "-7 701" "-5 703"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_eq "$(lines_of "$app/velt.log" | sed 's/^.* Port/Port/')" "Port 701 has a match in the firewall log" "velt.log"
[ ! -e "$app/error.log" ] || fail "error.log written"

# A forged snapshot naming something other than one address.
write_log "-9 701 any" "-7 702 any" "-5 703 any"
run_quennet 701,702,703 dt KnockRDP 30 3389
expect_eq "$(lines_of "$app/error.log" | sed 's/^.* Error!/Error!/')" "Error!  Knock source is not an IP address: any" "error.log"
expect_no_commands
