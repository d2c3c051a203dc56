#include "unlock/address_literal.h"

#include <gtest/gtest.h>

namespace quennet {
namespace {

TEST(AddressLiteral, AcceptsOneAddressOfEitherFamily) {
  for (const char* text : {"203.0.113.45", "0.0.0.0", "255.255.255.255", "::", "::1", "fe80::1c2b:3ff:fe4d:5e6f",
                           "2001:DB8::15", "1:2:3:4:5:6:7:8", "1::", "::ffff:192.0.2.1", "1:2:3:4:5:6:1.2.3.4",
                           "1:2:3:4:5:6:7::", "::2:3:4:5:6:7:8"}) {
    EXPECT_TRUE(IsSingleAddressLiteral(text)) << text;
  }
}

TEST(AddressLiteral, RefusesListsRangesPrefixesZonesAndKeywords) {
  for (const char* text :
       {"", "any", "LocalSubnet", "192.0.2.1,192.0.2.2", "192.0.2.1-192.0.2.9", "192.0.2.0/24", "fe80::1%eth0",
        "192.0.2.1 ", " 192.0.2.1", "256.0.0.1", "01.2.3.4", "1.2.3", "1.2.3.4.5", "1.2.3.", ".1.2.3", "1:2:3:4:5:6:7:8:9",
        ":::", "1:::2", "1::2::3", ":1::", "1:", "12345::", "1:2:3:4:5:6:7:8::", "1::2:3:4:5:6:7:8",
        "1:2:3:4:5:6:7:1.2.3.4", "::1.2.3", "::a1.2.3.4", "g::1"}) {
    EXPECT_FALSE(IsSingleAddressLiteral(text)) << text;
  }
}

}  // namespace
}  // namespace quennet
