#include "fwlog/action_codes.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/fake/fake_version.h"

namespace quennet {
namespace {

TEST(ReturnFirewallAction, LooksUpShortCodesInAnyCaseAndAsksTheVersionOnlyForTcpAllow) {
  FakeVersion windows7;
  const std::pair<const char*, const char*> table[] = {{"aU", "ALLOW UDP"}, {"AI", "ALLOW ICMP"}, {"Dt", "DROP TCP"},
                                                       {"du", "DROP UDP"},  {"DI", "DROP ICMP"},  {"", ""},
                                                       {"d", ""},           {"zz", ""},           {" d", ""}};
  for (const auto& [code, text] : table) EXPECT_EQ(ReturnFirewallAction(windows7, code), text) << code;
  EXPECT_EQ(windows7.calls, 0);
}

TEST(ReturnFirewallAction, TcpAllowTextFollowsTheFirewallGeneration) {
  // Windows 7, Vista, an unknown platform ("Failed"), XP, and a version without a name.
  const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, const char*> hosts[] = {{2, 6, 1, "ALLOW TCP"},
                                                                                        {2, 6, 0, "ALLOW TCP"},
                                                                                        {3, 6, 1, "ALLOW TCP"},
                                                                                        {2, 5, 1, "OPEN-INBOUND TCP"},
                                                                                        {2, 6, 2, "OPEN-INBOUND TCP"}};
  for (const auto& [platform, major, minor, allow_tcp] : hosts) {
    FakeVersion version;
    version.Set(platform, major, minor);
    for (const char* code : {"at", "AT", "dtx", "dt "}) EXPECT_EQ(ReturnFirewallAction(version, code), allow_tcp);
    EXPECT_EQ(ReturnFirewallAction(version, "au"), "ALLOW UDP");
  }
}

}  // namespace
}  // namespace quennet
