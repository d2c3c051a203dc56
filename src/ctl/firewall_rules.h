#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quennet {

// The RemoteIP value of each rule that "netsh advfirewall firewall show rule" lists,
// as printed ("203.0.113.45/32", "Any"), in their order.
std::vector<std::string> ListedRemoteAddresses(std::string_view output);

// The one sender address a RemoteIP value stands for: "203.0.113.45/32" gives
// 203.0.113.45. Empty for a list, range, subnet, keyword or anything else.
std::string SingleAddress(const std::string& value);

// True when netsh said that no rule matched what it was asked to act on.
bool NoRuleMatched(std::string_view output);

}  // namespace quennet
