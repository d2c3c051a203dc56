#pragma once

#include <string_view>

namespace quennet {

// True when `text` is exactly one IPv4 or IPv6 address literal, as inet_pton reads
// them: no list, range, prefix length, zone or keyword.
bool IsSingleAddressLiteral(std::string_view text);

}  // namespace quennet
