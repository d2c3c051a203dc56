#include "knock/wait_for_log.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/test_log.h"

namespace quennet {
namespace {

using test::Entry;
using test::KnockHost;

TEST(WaitForLog, CopiesAgainEveryFiveSecondsForThirtySecondsUnlessTheLogHasCaughtUp) {
  const std::string stale = Entry("10:17:01", "703") + "\r\n";
  const std::tuple<std::string, bool, int> cases[] = {
      {"", true, 0}, {"", false, 6}, {"#Version: 1.5\r\n", true, 6}, {stale, true, 6}};
  for (const auto& [live, empty_means_caught_up, pauses] : cases) {
    KnockHost fake;
    fake.files.files[test::kLive] = live;
    EXPECT_TRUE(WaitForLog(fake.host, fake.form, test::kReference, empty_means_caught_up).exists);
    EXPECT_EQ(fake.clock.pauses, std::vector<int>(pauses, 5000)) << live << empty_means_caught_up;
    EXPECT_EQ(fake.files.changes.size(), pauses + 1u);
  }
  // A fresh copy that reaches the reference time ends the wait.
  KnockHost fake;
  fake.files.files[test::kLive] = stale;
  fake.clock.on_sleep = [&fake] { fake.Log({}); };
  EXPECT_TRUE(WaitForLog(fake.host, fake.form, test::kReference, false).exists);
  EXPECT_EQ(fake.clock.pauses.size(), 1u);
}

}  // namespace
}  // namespace quennet
