#include "fwlog/action_codes.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_version.h"

namespace quennet {
namespace {

TEST(ReturnFirewallAction, LooksUpTwoLetterCodesInAnyCase) {
  FakeVersion windows7;
  for (const char* code : {"at", "AT", "aT"}) EXPECT_EQ(ReturnFirewallAction(windows7, code), "ALLOW TCP") << code;
  EXPECT_EQ(ReturnFirewallAction(windows7, "au"), "ALLOW UDP");
  EXPECT_EQ(ReturnFirewallAction(windows7, "Ai"), "ALLOW ICMP");
  for (const char* code : {"dt", "DT", "Dt"}) EXPECT_EQ(ReturnFirewallAction(windows7, code), "DROP TCP") << code;
  EXPECT_EQ(ReturnFirewallAction(windows7, "du"), "DROP UDP");
  EXPECT_EQ(ReturnFirewallAction(windows7, "DI"), "DROP ICMP");
}

TEST(ReturnFirewallAction, UnknownShortCodesGiveNothingWithoutAskingTheVersion) {
  FakeVersion windows7;
  for (const char* code : {"", "d", "x", "zz", " d", "t"}) EXPECT_EQ(ReturnFirewallAction(windows7, code), "") << code;
  EXPECT_EQ(ReturnFirewallAction(windows7, "dt"), "DROP TCP");
  EXPECT_EQ(windows7.calls, 0);
}

TEST(ReturnFirewallAction, LongCodesGiveTheTcpAllowText) {
  FakeVersion windows7;
  for (const char* code : {"dtx", "drop", "allow", "dt ", "du,dt"}) {
    EXPECT_EQ(ReturnFirewallAction(windows7, code), "ALLOW TCP") << code;
  }
}

TEST(ReturnFirewallAction, TcpAllowTextFollowsTheFirewallGeneration) {
  struct HostKind {
    const char* name;
    std::uint32_t platform, major, minor;
    const char* allow_tcp;
  };
  for (const HostKind& kind : {HostKind{"Windows 7", 2, 6, 1, "ALLOW TCP"}, HostKind{"Vista", 2, 6, 0, "ALLOW TCP"},
                               HostKind{"Failed", 3, 6, 1, "ALLOW TCP"}, HostKind{"XP", 2, 5, 1, "OPEN-INBOUND TCP"},
                               HostKind{"unnamed", 2, 6, 2, "OPEN-INBOUND TCP"}}) {
    FakeVersion version;
    version.Set(kind.platform, kind.major, kind.minor);
    EXPECT_EQ(ReturnFirewallAction(version, "at"), kind.allow_tcp) << kind.name;
    EXPECT_EQ(ReturnFirewallAction(version, "allow"), kind.allow_tcp) << kind.name;
    EXPECT_EQ(ReturnFirewallAction(version, "au"), "ALLOW UDP") << kind.name;
  }
}

}  // namespace
}  // namespace quennet
