#include "shared/action_codes.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/fake/fake_version.h"

namespace quennet {
namespace {

TEST(ReturnFirewallAction, LooksUpShortCodesInAnyCaseAndAsksTheVersionOnlyForTcpAllow) {
  FakeVersion version;
  const std::pair<const char*, const char*> table[] = {
      {"aU", "ALLOW UDP"}, {"AI", "ALLOW ICMP"}, {"Dt", "DROP TCP"},
      {"du", "DROP UDP"},  {"DI", "DROP ICMP"},  {"", ""},
      {"d", ""},           {"zz", ""},           {" d", ""}};
  for (const auto& [code, text] : table)
    EXPECT_EQ(ReturnFirewallAction(version, code), text) << code;
  EXPECT_EQ(version.calls, 0);

  // Any longer code is a TCP allow too.
  for (const char* code : {"at", "AT", "dtx", "dt "})
    EXPECT_EQ(ReturnFirewallAction(version, code), "ALLOW TCP");
  version.Set(2, 5, 1);  // Windows XP
  EXPECT_EQ(ReturnFirewallAction(version, "at"), "OPEN-INBOUND TCP");
}

}  // namespace
}  // namespace quennet
