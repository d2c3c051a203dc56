# Writes a firewall log of about `bytes` bytes (CR LF line ends, the firewall's
# header) whose records run through the evening of 2012-07-16, with a knock on 701,
# 702 and 703 from 203.0.113.45 in the last 30 seconds before midnight and a few
# records from midnight on, so the log has reached 2012-07-17 00:00:00.
# Usage: awk -v bytes=33554432 [-v drops=1] -f firewall_log.awk > pfirewall.log
# With drops=1 every record of traffic is a dropped TCP packet, so nearly every line
# holds the action text the knock looks for.
# No other record holds 701, 702 or 703 in any field, so the knock is the only one.
function pick(list,    items, n) {
  n = split(list, items, " ")
  return items[int(rand() * n) + 1]
}
function between(low, high,    value) {
  do value = low + int(rand() * (high - low + 1)); while (value >= 701 && value <= 703)
  return value
}
function clock(seconds) {
  return sprintf("%02d:%02d:%02d", int(seconds / 3600), int(seconds / 60) % 60, seconds % 60)
}
function v4(net) { return net "." between(1, 254) }
function v6(net) { return net sprintf("%x:%x", between(1, 65535), between(1, 65535)) }
function out(line) {
  printf "%s\r\n", line
  written += length(line) + 2
}
function record(day, seconds, action, protocol, source, target, rest) {
  out(day " " clock(seconds) " " action " " protocol " " source " " target " " rest)
}
function knock(seconds, port) {
  record("2012-07-16", seconds, "DROP", "TCP", "203.0.113.45", "192.0.2.20",
         between(49152, 65535) " " port " 52 S " between(1000000000, 2147483647) " 0 8192 - - - RECEIVE")
}
# One record of ordinary traffic, stamped `seconds` after midnight of `day`.
function traffic(day, seconds,    roll, ipv6, here, there, remote, action, protocol, rest) {
  roll = drops ? 0 : rand()
  ipv6 = rand() < 0.06
  here = ipv6 ? "2001:db8::20" : "192.0.2.20"
  there = ipv6 ? v6("2001:db8:4::") : v4("192.0.2")
  remote = ipv6 ? v6("2001:db8:" between(1, 4095) "::") : v4(pick("198.51.100 203.0.113 93.184.216 151.101.1"))
  if (roll < 0.35) {
    action = "DROP"; protocol = "TCP"
    rest = between(1024, 65535) " " pick("22 23 25 80 135 139 443 445 1433 3306 3389 5900 8080") " " \
           pick("40 44 48 52 60") " S " between(1000000000, 2147483647) " 0 " \
           pick("1024 8192 29200 64240 65535") " - - - RECEIVE"
    return record(day, seconds, action, protocol, remote, here, rest)
  }
  if (roll < 0.45) {
    return record(day, seconds, "DROP", "UDP", remote, here, between(1024, 65535) " " \
                  pick("53 123 137 138 161 1900 5353 5355") " " between(40, 1400) " - - - - - - - RECEIVE")
  }
  if (roll < 0.50) {
    return record(day, seconds, "DROP", "ICMP", remote, here, "- - " pick("60 84 92") " - - - - 8 0 - RECEIVE")
  }
  if (roll < 0.85) {
    rest = between(49152, 65535) " " pick("80 443 443 443 993 8080") " 0 - - - - - - - SEND " between(400, 9000)
    return record(day, seconds, "ALLOW", "TCP", here, remote, rest)
  }
  if (roll < 0.97) {
    return record(day, seconds, "ALLOW", "UDP", here, there, between(49152, 65535) " " pick("53 123 5353") \
                  " 0 - - - - - - - SEND " between(400, 9000))
  }
  record(day, seconds, "ALLOW", "ICMP", here, there, "- - 0 - - - - 8 0 - SEND " between(400, 9000))
}
BEGIN {
  srand(20120716)
  evening = 18 * 3600
  midnight = 24 * 3600
  out("#Version: 1.5")
  out("#Software: Microsoft Windows Firewall")
  out("#Time Format: Local")
  out("#Fields: date time action protocol src-ip dst-ip src-port dst-port size tcpflags tcpsyn tcpack tcpwin icmptype icmpcode info path")
  out("")
  split("701 702 703", ports, " ")
  split("-20 -15 -10", offsets, " ")
  knocked = 0
  # The stamps follow the bytes written, so the evening fills the whole log.
  room = bytes - 2048
  while (written < room) {
    seconds = evening + int((written / room) * (midnight - evening))
    if (seconds > midnight - 1) seconds = midnight - 1
    while (knocked < 3 && seconds >= midnight + offsets[knocked + 1]) {
      knocked++
      knock(midnight + offsets[knocked], ports[knocked])
    }
    traffic("2012-07-16", seconds)
  }
  while (knocked < 3) {
    knocked++
    knock(midnight + offsets[knocked], ports[knocked])
  }
  for (i = 0; i < 12; i++) traffic("2012-07-17", int(i / 4))
}
