#pragma once

#include <cstddef>
#include <string>

namespace quennet::bench {

// Firewall log records of the usual mix (allowed and dropped TCP, UDP and ICMP, some
// of them IPv6), each with `stamp` and a space in front (nothing when `stamp` is
// empty) and CR LF after it, about `bytes` long in all. No field is 701, 702 or 703,
// so a knock on those ports stands out. With `drops_only` every record is a dropped
// TCP packet: every line holds the action text of a knock.
std::string FirewallRecords(std::size_t bytes, const std::string& stamp, bool drops_only = false);

}  // namespace quennet::bench
