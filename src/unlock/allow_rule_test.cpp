#include "unlock/allow_rule.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

TEST(AllowRule, NewerFirewallQuotesTheRuleName) {
  for (std::uint32_t platform : {2u, 3u}) {  // Windows 7, and an unknown platform ("Failed")
    FakeHost fake;
    fake.version.Set(platform, 6, 1);
    Unlock_Port(fake.host, "KnockRDP", "3389", "203.0.113.45");
    EXPECT_EQ(fake.shell.commands,
              std::vector<std::string>{"run netsh advfirewall firewall add rule name=\"KnockRDP\" dir=in "
                                       "action=allow protocol=TCP localport=3389 remoteip=203.0.113.45"});
  }
}

TEST(AllowRule, OlderFirewallUsesPortOpeningWithTheNameUnquoted) {
  for (std::uint32_t minor : {1u, 2u}) {  // Windows XP, and 6.2 which has no name
    FakeHost fake;
    fake.version.Set(2, minor == 1 ? 5 : 6, minor);
    Unlock_Port(fake.host, "KnockRDP", "3389", "203.0.113.45");
    EXPECT_EQ(fake.shell.commands,
              std::vector<std::string>{"run Netsh firewall add portopening tcp 3389 KnockRDP enable custom 203.0.113.45"});
  }
}

TEST(AllowRule, ACommandThatCannotStartReachesTheCaller) {
  FakeHost fake;
  fake.shell.fail_run = true;
  EXPECT_THROW(Unlock_Port(fake.host, "R", "1", "192.0.2.1"), RuntimeError);
}

}  // namespace
}  // namespace quennet
