#include "fwlog/snapshot.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

using Op = FakeFileService::Op;

constexpr char kLive[] = "C:\\Windows\\pfirewall.log";
constexpr char kSnapshot[] = "C:\\Data\\Tolvaren\\Quennet\\kfirewall.log";
constexpr char kErrorLog[] = "C:\\Quennet\\error.log";
constexpr char kNow[] = "7/17/2012 10:17:07 AM";

struct Snapshot : ::testing::Test {
  Snapshot() {
    state.AppDataFolder = "C:\\Data";
    state.FirewallLogPath = kLive;
    fake.clock.now = FromCivil({2012, 7, 17, 10, 17, 7});
    fake.files.files[kSnapshot] = "old\r\n";
  }
  FakeHost fake;
  FormState state;
};

TEST_F(Snapshot, CopyReplacesTheSnapshotOrLeavesItAlone) {
  EXPECT_EQ(SnapshotPath(""), "\\Tolvaren\\Quennet\\kfirewall.log");
  CopyFirewallLog(fake.host, state);  // no live log: the earlier snapshot stays
  EXPECT_TRUE(fake.files.changes.empty());
  EXPECT_EQ(ReadLogFile(fake.host, kSnapshot), "old\r\n");
  fake.files.files[kLive] = "new\r\n";
  CopyFirewallLog(fake.host, state);
  EXPECT_EQ(ReadLogFile(fake.host, kSnapshot), "new\r\n");
  EXPECT_EQ(fake.files.Lines(kErrorLog).size(), 0u);
}

TEST_F(Snapshot, FailedCopyIsLoggedAndKeepsTheSnapshot) {
  fake.files.files[kLive] = "new\r\n";
  fake.files.Fail(Op::CopyFile, kSnapshot);
  CopyFirewallLog(fake.host, state);
  EXPECT_EQ(fake.files.files[kSnapshot], "old\r\n");
  const std::string line =
      std::string(kNow) + " Error!  Could not copy Windows firewall log to C:\\Data\\Tolvaren\\Quennet\\kfirewall.log";
  EXPECT_EQ(fake.files.Lines(kErrorLog), std::vector<std::string>{line});
  fake.files.Fail(Op::FileExists, kLive);  // as much a failed copy
  CopyFirewallLog(fake.host, state);
  EXPECT_EQ(fake.files.Lines(kErrorLog), (std::vector<std::string>{line, line}));
}

TEST_F(Snapshot, ReadLogFileGivesNothingForMissingEmptyOrUnreadableFiles) {
  fake.files.files["C:\\empty.log"] = "";
  EXPECT_EQ(ReadLogFile(fake.host, "C:\\empty.log") + ReadLogFile(fake.host, "C:\\missing.log"), "");
  EXPECT_TRUE(fake.files.changes.empty());
  fake.files.Fail(Op::OpenTextFile, kSnapshot);
  fake.files.Fail(Op::ReadAll, "C:\\empty.log");  // never read: it is at its end at once
  fake.files.files["C:\\locked.log"] = "text";
  fake.files.Fail(Op::ReadAll, "C:\\locked.log");
  for (const char* path : {kSnapshot, "C:\\empty.log", "C:\\locked.log"}) EXPECT_EQ(ReadLogFile(fake.host, path), "");
  EXPECT_EQ(fake.files.Lines(kErrorLog),
            (std::vector<std::string>{std::string(kNow) + " Error!  Could not read log file " + kSnapshot,
                                      std::string(kNow) + " Error!  Could not read log file C:\\locked.log"}));
}

}  // namespace
}  // namespace quennet
