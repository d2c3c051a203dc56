// The address check of the run must accept exactly what the system's inet_pton does,
// and refuse as no sender exactly the addresses the system's own tests call so.
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <string>

#include "text/text_split.h"
#include "unlock/address_literal.h"

namespace quennet {
namespace {

bool InetPtonAccepts(const std::string& text) {
  unsigned char buffer[16];
  return inet_pton(AF_INET, text.c_str(), buffer) == 1 ||
         inet_pton(AF_INET6, text.c_str(), buffer) == 1;
}

// Whether the address inet_pton reads can send a packet, by the system's own tests.
bool InetPtonSender(const std::string& text) {
  in_addr v4{};
  in6_addr v6{};
  if (inet_pton(AF_INET, text.c_str(), &v4) == 1) {
    const std::uint32_t host = ntohl(v4.s_addr);
    return host != INADDR_ANY && host != INADDR_BROADCAST && !IN_MULTICAST(host);
  }
  if (inet_pton(AF_INET6, text.c_str(), &v6) != 1) return false;
  if (IN6_IS_ADDR_V4MAPPED(&v6))
    return InetPtonSender(std::to_string(v6.s6_addr[12]) + "." + std::to_string(v6.s6_addr[13]) +
                          "." + std::to_string(v6.s6_addr[14]) + "." +
                          std::to_string(v6.s6_addr[15]));
  return !IN6_IS_ADDR_UNSPECIFIED(&v6) && !IN6_IS_ADDR_MULTICAST(&v6);
}

TEST(InetPtonAgreement, ChosenForms) {
  // Forms that random texts seldom reach: whole addresses, lists, ranges, prefixes, zones,
  // keywords, and the edges of the ranges that cannot send.
  const std::string chosen =
      "fe80::1c2b:3ff:fe4d:5e6f|1:2:3:4:5:6:7:8|::ffff:192.0.2.1|1:2:3:4:5:6:1.2.3.4|"
      "1:2:3:4:5:6:7::|::2:3:4:5:6:7:8|any|192.0.2.1,192.0.2.2|192.0.2.1-192.0.2.9|"
      "192.0.2.0/24|fe80::1%eth0| "
      "192.0.2.1|1:2:3:4:5:6:7:8:9|1:2:3:4:5:6:7:1.2.3.4|255.255.255.255|256.0.0.1|01.2.3.4|"
      "1.2.3.|1::2::3|:1::|12345::|::1.2.3|::a1.2.3.4|0.0.0.0|::|224.0.0.1|239.255.255.255|"
      "223.255.255.255|ff02::1|FF00::|::ffff:255.255.255.255|::ffff:0.0.0.0|::ffff:224.0.0.9|"
      "::ffff:0:0|::0.0.0.0|::1";
  for (const std::string& text : SplitAll(chosen, '|')) {
    EXPECT_EQ(IsSingleAddressLiteral(text), InetPtonAccepts(text)) << '"' << text << '"';
    EXPECT_EQ(IsSenderAddress(text), InetPtonSender(text)) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace quennet
