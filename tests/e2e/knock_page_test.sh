# The page of "quennetctl page" in headless Chromium against the loopback stand-in:
# loading and reloading the page sends nothing; pressing Knock sends one attempt per
# port in order (a repeat of the port just knocked tolerated, as a strict knock
# tolerates it) and the nudge, and the knock verifies, over IPv4 with the sender as
# token 5 and over IPv6 in strict mode. The first run leaves a screenshot of the page
# at QUENNET_SCREENSHOT.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/knock_lib.sh"
: "${QUENNETCTL_BIN:?}"
command -v chromium > /dev/null && command -v node > /dev/null || { echo "chromium or node missing: skipped"; exit 77; }

# knock_page HOST SCREENSHOT: the page for HOST, loaded twice in Chromium
# and then knocked with; what the stand-in logged before the press is kept in
# $on_load, what the page showed in $sandbox/driver.out.
knock_page() {
  local pid from to
  "$QUENNETCTL_BIN" page --out "$sandbox/page.html" --delay 50 --nudge-after 300 "$1" "$knock_ports" > /dev/null ||
    fail "quennetctl page $1"
  coproc driver { node "$QUENNET_SOURCE/tests/e2e/knock_page_driver.js" "file://$sandbox/page.html" "$sandbox/profile" \
    "$2" 0 2> "$sandbox/driver.err"; }
  # Bash forgets a coprocess's descriptors and id once it ends: copies of them stay.
  pid=$driver_PID
  exec {from}<&"${driver[0]}" {to}>&"${driver[1]}"
  read -r loaded <&"$from" || true
  on_load=$(logged_packets)
  echo press >&"$to"
  cat <&"$from" > "$sandbox/driver.out"
  exec {from}<&- {to}>&-
  wait "$pid" || fail "the driver failed: $(cat "$sandbox/driver.err")"
  wait_standin
  expect_eq "$loaded|$on_load|$(grep -E '^(Knock [0-9]|Nudge)' "$sandbox/driver.out")|$(grep -c 'Knock sent at' "$sandbox/driver.out")" \
    "loaded||Knock 1 of 3 sent
Knock 2 of 3 sent
Knock 3 of 3 sent
Nudge sent|1" "nothing sent on load and reload; the steps and the report ($1)"
}

# expect_knocked ADDRESS: the stand-in logged one attempt per port from ADDRESS, in order.
expect_knocked() {
  expect_eq "$(logged_packets | uniq)" "DROP TCP $1 $1 $k1
DROP TCP $1 $1 $k2
DROP TCP $1 $1 $k3
DROP TCP $1 $1 $nudge" "one attempt per port, in order ($1)"
}

knock_standin 4 "$knock_ports" dt KnockRDP 30 '{address}' 3389
knock_page 127.0.0.1 "${QUENNET_SCREENSHOT:-$sandbox/knock-page.png}"
expect_knocked 127.0.0.1
expect_opened 127.0.0.1 "IPv4, token 5"

knock_standin 4 --strict "$knock_ports" dt KnockRDP 30 3389
knock_page '[::1]' "$sandbox/strict.png"
expect_knocked ::1
expect_opened ::1 "IPv6, strict, correlation"
