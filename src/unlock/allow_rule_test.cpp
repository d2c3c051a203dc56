#include "unlock/allow_rule.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

// The newer firewall's command, with the name quoted, is pinned by the run tests.
TEST(AllowRule, OlderFirewallOpensThePortWithTheNameUnquoted) {
  FakeHost fake;
  fake.version.Set(2, 5, 1);  // Windows XP
  Unlock_Port(fake.host, "Knock RDP", "3389", "203.0.113.45");
  EXPECT_EQ(fake.shell.commands,
            std::vector<std::string>{"run Netsh firewall add portopening tcp 3389 Knock RDP enable custom 203.0.113.45"});
}

}  // namespace
}  // namespace quennet
