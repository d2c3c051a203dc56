#include "app/command_line.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace quennet {
namespace {

// The roles in their order, separated by "|"; the start time stands as "start".
std::string Roles(const std::string& text) {
  const auto r = InterpretCommandLine(text, "start");
  if (!r) return "nothing to verify";
  return r->PortList + "|" + r->ActionList + "|" + r->RuleName + "|" + r->TimePeriod + "|" +
         r->PortToOpen + "|" + r->SourceIP + "|" + r->ReferenceTime;
}

TEST(CommandLine, TokensTakeTheirRolesByPositionAndShape) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "nothing to verify"},
      {"701  dt", "nothing to verify"},
      {"701,702,703 dt,dt,dt KnockRDP 30 443", "701,702,703|dt,dt,dt|KnockRDP|30|443||start"},
      {"701 dt  KnockRDP 30", "701|dt||KnockRDP|30||start"},  // empty tokens count
      {"1 dt R 30 443 8443 x", "1|dt|R|30|x||start"},
      {"1 dt R 30 fe80::1 x 3389", "1|dt|R|30|3389|fe80::1|start"},
      {"1 dt R 30 192.168.1.20 2012-07-17", "1|dt|R|30||192.168.1.20|2012-07-17"},
      {"1 dt R 30 10.0.0.256",
       "1|dt|R|30||10.0.0.256|start"},  // the address test looks at characters only
      {"1 dt R 30 FE80::1", "1|dt|R|30|||start"},
      {"1 dt R 30 10:17:07", "1|dt|R|30|||start"},  // a time is a date, so it takes no role
      {"1 dt R 30 2012-07-17 443", "1|dt|R|30|443||start"},
  };
  for (const auto& [text, roles] : cases) EXPECT_EQ(Roles(text), roles) << text;
}

TEST(CommandLine, OnlyALeadingStrictOptionAndItsBlankAreTakenOff) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"--strict 701 dt R 30", "701 dt R 30", true},
      {"--strict  701 dt R 30", " 701 dt R 30", true},
      {" --strict 701 dt R 30", " --strict 701 dt R 30", false},
      {"--strictly 701", "--strictly 701", false},
  };
  for (const auto& [text, command_text, strict] : cases) {
    const ArgumentText read = ReadStrictOption(text);
    EXPECT_EQ(read.CommandText + (read.strict ? "|strict" : ""),
              command_text + std::string(strict ? "|strict" : ""))
        << text;
  }
}

}  // namespace
}  // namespace quennet
