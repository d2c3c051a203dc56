#include "app/ip_address.h"

#include <gtest/gtest.h>

namespace quennet {
namespace {

TEST(IsIPaddress, FiltersCharactersNotStructure) {
  for (const char* text : {"192.168.1.20", "10.0.0.256", "1..2", "fe80::1", "abc", ".", ""}) {
    EXPECT_TRUE(IsIPaddress(text)) << text;
  }
  for (const char* text : {"FE80::1", "192.168.1.20/24", "1.2.3.4 ", "g", "any", "1,2"}) {
    EXPECT_FALSE(IsIPaddress(text)) << text;
  }
}

}  // namespace
}  // namespace quennet
