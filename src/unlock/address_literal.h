#pragma once

#include <string_view>

namespace quennet {

// True when `text` is exactly one IPv4 or IPv6 address literal, as inet_pton reads
// them: no list, range, prefix length, zone or keyword.
bool IsSingleAddressLiteral(std::string_view text);

// True when `text` is such a literal and an address a packet can come from: not
// unspecified (0.0.0.0, ::), not the limited broadcast 255.255.255.255 and not
// multicast (224.0.0.0/4, ff00::/8), nor any of these mapped into IPv6.
bool IsSenderAddress(std::string_view text);

}  // namespace quennet
