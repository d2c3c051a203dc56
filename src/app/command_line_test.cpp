#include "app/command_line.h"

#include <gtest/gtest.h>

namespace quennet {
namespace {

constexpr const char* kStart = "7/17/2012 10:17:30 AM";

KnockRoles Roles(const std::string& text) {
  const auto roles = InterpretCommandLine(text, kStart);
  EXPECT_TRUE(roles.has_value()) << text;
  return roles.value_or(KnockRoles{});
}

TEST(CommandLine, NothingToVerifyWithoutABlankOrWithFewerThanFourTokens) {
  for (const char* text : {"", "701,702,703", "701 dt KnockRDP", "701  dt"}) {
    EXPECT_FALSE(InterpretCommandLine(text, kStart).has_value()) << text;
  }
  EXPECT_TRUE(InterpretCommandLine("   ", kStart).has_value()) << "four empty tokens";
}

TEST(CommandLine, FirstFourTokensAndThePortToOpen) {
  const KnockRoles roles = Roles("701,702,703 dt,dt,dt KnockRDP 30 443");
  EXPECT_EQ(roles.PortList, "701,702,703");
  EXPECT_EQ(roles.ActionList, "dt,dt,dt");
  EXPECT_EQ(roles.RuleName, "KnockRDP");
  EXPECT_EQ(roles.TimePeriod, "30");
  EXPECT_EQ(roles.PortToOpen, "443");
  EXPECT_EQ(roles.SourceIP, "");
  EXPECT_EQ(roles.ReferenceTime, kStart);
}

TEST(CommandLine, EmptyTokensCountInTheNumbering) {
  const KnockRoles roles = Roles("701 dt  KnockRDP 30");
  EXPECT_EQ(roles.RuleName, "");
  EXPECT_EQ(roles.TimePeriod, "KnockRDP");
  EXPECT_EQ(roles.PortToOpen, "30") << "token 5 is 30, which is a number";
  EXPECT_EQ(Roles("701 dt KnockRDP 30 ").SourceIP, "") << "an empty fifth token passes the address test";
}

TEST(CommandLine, TokensFiveSixAndSevenInTheirOrder) {
  EXPECT_EQ(Roles("1 dt R 30 443 8443").PortToOpen, "8443");
  EXPECT_EQ(Roles("1 dt R 30 443 8443 x").PortToOpen, "x");
  EXPECT_EQ(Roles("1 dt R 30 fe80::1 x 3389").PortToOpen, "3389");

  KnockRoles address_and_port = Roles("1 dt R 30 192.168.1.20 3389");
  EXPECT_EQ(address_and_port.SourceIP, "192.168.1.20");
  EXPECT_EQ(address_and_port.PortToOpen, "3389");
  EXPECT_EQ(address_and_port.ReferenceTime, kStart);

  KnockRoles dated = Roles("1 dt R 30 192.168.1.20 2012-07-17");
  EXPECT_EQ(dated.ReferenceTime, "2012-07-17");
  EXPECT_EQ(dated.PortToOpen, "");

  EXPECT_EQ(Roles("1 dt R 30 FE80::1").SourceIP, "") << "upper case fails the address test";
  EXPECT_EQ(Roles("1 dt R 30 10:17:07").SourceIP, "") << "a time is a date, so it takes no role";
  EXPECT_EQ(Roles("1 dt R 30 2012-07-17 443").ReferenceTime, kStart);
}

TEST(CommandLine, LastElementOfAListToken) {
  EXPECT_EQ(LastElement("701,702,703"), "703");
  EXPECT_EQ(LastElement("703"), "703");
  EXPECT_EQ(LastElement("701,702,"), "");
  EXPECT_EQ(LastElement(""), "");
}

}  // namespace
}  // namespace quennet
