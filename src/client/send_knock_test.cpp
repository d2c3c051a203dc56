#include "client/send_knock.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_network.h"
#include "text/text_split.h"

namespace quennet {
namespace {

struct KnockRun {
  bool opened;
  std::vector<std::string> packets;
  std::string out;
};

// The client's whole send, with the connection accepted from attempt `accept_from`.
KnockRun Knock(const std::string& command_line, int accept_from) {
  FakeClock clock;
  clock.elapsed_ms = 1000;
  FakeNetwork network(clock);
  network.accept_from = accept_from;
  std::ostringstream out;
  const KnockPlan plan =
      ParseKnockOptions(SplitAll(command_line, ' '), {"quennet-knock", true, {}});
  const std::int64_t knocked = SendKnock(plan, "h", network, clock, out);
  const bool opened = plan.open_port && WaitForOpenPort(plan, "h", network, clock, knocked, out);
  return {opened, network.packets, out.str()};
}

TEST(SendKnock, PacesPacketsOnTheClockAndWaitsForTheOpenPortFromTheLastKnock) {
  const KnockRun plain = Knock("--delay 300 --nudge-after 2000 h 701,702 dt,du", 0);
  EXPECT_EQ(plain.packets,
            (std::vector<std::string>{"1000 TCP h 701", "1300 UDP h 702", "3300 TCP h 703"}));
  EXPECT_TRUE(plain.out.ends_with("nudge: TCP to h port 703\n")) << plain.out;

  // No nudge with --open: the attempts start at the last knock, every half second.
  const KnockRun opened = Knock("--delay 300 --open 3389 h 701,702", 3);
  EXPECT_EQ(opened.packets,
            (std::vector<std::string>{"1000 TCP h 701", "1300 TCP h 702", "1300 try h 3389",
                                      "1800 try h 3389", "2300 try h 3389"}));
  EXPECT_TRUE(opened.opened);
  EXPECT_TRUE(opened.out.ends_with("port 3389 open after 1.0 s\n")) << opened.out;

  // Asked for, the nudge comes first; the timeout still counts from the last knock.
  const KnockRun closed = Knock("-q --open 3389 --timeout 2 --nudge 9 --nudge-after 600 h 701", 0);
  EXPECT_EQ(closed.packets,
            (std::vector<std::string>{"1000 TCP h 701", "1600 TCP h 9", "1600 try h 3389",
                                      "2100 try h 3389", "2600 try h 3389"}));
  EXPECT_FALSE(closed.opened || !closed.out.empty());
}

}  // namespace
}  // namespace quennet
