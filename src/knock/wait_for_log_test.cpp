#include "knock/wait_for_log.h"

#include <gtest/gtest.h>

#include "knock/test_log.h"

namespace quennet {
namespace {

using test::Entry;
using test::KnockHost;

int Copies(const KnockHost& fake) {
  int copies = 0;
  for (const std::string& change : fake.files.changes) copies += change.rfind("CopyFile ", 0) == 0;
  return copies;
}

TEST(WaitForLog, StopsAtOnceWhenTheLogHasCaughtUp) {
  KnockHost fake;
  fake.Log({Entry("10:17:01", "703")});
  EXPECT_TRUE(WaitForLog(fake.host, fake.form, test::kReference, false));
  EXPECT_TRUE(fake.clock.pauses.empty());
  EXPECT_EQ(Copies(fake), 1);
}

TEST(WaitForLog, PausesAndCopiesAgainUntilTheDeadline) {
  KnockHost fake;
  fake.files.files[test::kLive] = Entry("10:17:01", "703") + "\r\n";
  EXPECT_TRUE(WaitForLog(fake.host, fake.form, test::kReference, false));
  EXPECT_EQ(fake.clock.pauses, std::vector<int>(6, 5000));
  EXPECT_EQ(Copies(fake), 7);
}

TEST(WaitForLog, StopsWhenAFreshCopyBringsANewerStamp) {
  KnockHost fake;
  fake.files.files[test::kLive] = Entry("10:17:01", "703") + "\r\n";
  fake.clock.on_sleep = [&fake] { fake.Log({Entry("10:17:01", "703")}); };
  EXPECT_TRUE(WaitForLog(fake.host, fake.form, test::kReference, false));
  EXPECT_EQ(fake.clock.pauses.size(), 1u);
  EXPECT_EQ(Copies(fake), 2);
}

TEST(WaitForLog, AnEmptySnapshotEndsTheWaitOnlyWhenTheCallerSaysSo) {
  for (bool empty_means_caught_up : {true, false}) {
    KnockHost fake;
    fake.files.files[test::kLive] = "";
    EXPECT_TRUE(WaitForLog(fake.host, fake.form, test::kReference, empty_means_caught_up));
    EXPECT_EQ(fake.clock.pauses.size(), empty_means_caught_up ? 0u : 6u);
  }
  KnockHost no_stamp;
  no_stamp.files.files[test::kLive] = "#Version: 1.5\r\n#Software: Microsoft Windows Firewall\r\n";
  EXPECT_TRUE(WaitForLog(no_stamp.host, no_stamp.form, test::kReference, true));
  EXPECT_EQ(no_stamp.clock.pauses.size(), 6u);
}

TEST(WaitForLog, AFailedCopyIsLoggedAndTheOldSnapshotServes) {
  KnockHost fake;
  fake.Log({Entry("10:17:01", "703")});
  fake.files.files[test::kSnapshot] = "old";
  fake.files.Fail(FakeFileService::Op::CopyFile, test::kSnapshot);
  EXPECT_TRUE(WaitForLog(fake.host, fake.form, test::kReference, true));
  EXPECT_EQ(fake.files.files[test::kSnapshot], "old");
  EXPECT_EQ(fake.Lines("error.log").front(),
            "7/17/2012 10:17:31 AM Error!  Could not copy Windows firewall log to "
            "C:\\ProgramData\\Tolvaren\\Quennet\\kfirewall.log");
}

}  // namespace
}  // namespace quennet
