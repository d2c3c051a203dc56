#pragma once

#include <string>
#include <string_view>

#include "platform/version.h"

namespace quennet {

// The firewall's action text for an action code: "dt" gives "DROP TCP", and so on
// for at, au, ai, dt, du, di in any case. Any other code of up to two characters
// gives "". A code of three or more characters gives the TCP allow text, which is
// "ALLOW TCP" on a host with the newer firewall and "OPEN-INBOUND TCP" elsewhere.
std::string ReturnFirewallAction(VersionService& version, std::string_view strFirewallActionCode);

// The protocol of the packet whose log line that action text names: "TCP", "UDP",
// "ICMP", or "" for a code that names no action. The same on every host.
std::string_view ActionProtocol(std::string_view code);

}  // namespace quennet
