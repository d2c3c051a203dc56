#include "fwlog/snapshot.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

using Op = FakeFileService::Op;

constexpr char kLive[] = "C:\\Windows\\system32\\LogFiles\\Firewall\\pfirewall.log";
constexpr char kSnapshot[] = "C:\\ProgramData\\Tolvaren\\Quennet\\kfirewall.log";
constexpr char kErrorLog[] = "C:\\Quennet\\error.log";

struct SnapshotTest : ::testing::Test {
  SnapshotTest() {
    state.AppDataFolder = "C:\\ProgramData";
    state.FirewallLogPath = kLive;
    fake.clock.now = FromCivil({2012, 7, 17, 10, 17, 7});
  }

  FakeHost fake;
  FormState state;
};

TEST(SnapshotPath, JoinsTheFolderAsItStands) {
  EXPECT_EQ(SnapshotPath("C:\\ProgramData"), kSnapshot);
  EXPECT_EQ(SnapshotPath(""), "\\Tolvaren\\Quennet\\kfirewall.log");
}

TEST_F(SnapshotTest, CopyReplacesTheSnapshot) {
  fake.files.files[kLive] = "new\r\n";
  fake.files.files[kSnapshot] = "old\r\n";
  CopyFirewallLog(fake.host, state);
  EXPECT_EQ(fake.files.files[kSnapshot], "new\r\n");
  EXPECT_EQ(fake.files.files.count(kErrorLog), 0u);
}

TEST_F(SnapshotTest, MissingLiveLogKeepsTheEarlierSnapshotSilently) {
  fake.files.files[kSnapshot] = "earlier run\r\n";
  CopyFirewallLog(fake.host, state);
  EXPECT_TRUE(fake.files.changes.empty());
  EXPECT_EQ(ReadLogFile(fake.host, kSnapshot), "earlier run\r\n");
  EXPECT_TRUE(fake.files.changes.empty());
}

TEST_F(SnapshotTest, FailedCopyIsLoggedAndKeepsTheSnapshot) {
  fake.files.files[kLive] = "new\r\n";
  fake.files.files[kSnapshot] = "old\r\n";
  fake.files.Fail(Op::CopyFile, kSnapshot);
  CopyFirewallLog(fake.host, state);
  EXPECT_EQ(fake.files.files[kSnapshot], "old\r\n");
  const std::string line =
      "7/17/2012 10:17:07 AM Error!  Could not copy Windows firewall log to "
      "C:\\ProgramData\\Tolvaren\\Quennet\\kfirewall.log";
  EXPECT_EQ(fake.files.Lines(kErrorLog), std::vector<std::string>{line});

  // An existence test that fails counts as a failed copy.
  fake.files.Fail(Op::FileExists, kLive);
  CopyFirewallLog(fake.host, state);
  EXPECT_EQ(fake.files.Lines(kErrorLog), (std::vector<std::string>{line, line}));
}

TEST_F(SnapshotTest, ReadLogFileGivesTheWholeTextOrNothing) {
  fake.files.files["C:\\a.log"] = "line 1\r\nline 2\r\n";
  fake.files.files["C:\\empty.log"] = "";
  EXPECT_EQ(ReadLogFile(fake.host, "C:\\a.log"), "line 1\r\nline 2\r\n");
  EXPECT_EQ(ReadLogFile(fake.host, "C:\\empty.log"), "");
  EXPECT_EQ(ReadLogFile(fake.host, "C:\\missing.log"), "");
  EXPECT_EQ(fake.files.files.count(kErrorLog), 0u);
}

TEST_F(SnapshotTest, ReadLogFileLogsWhatCannotBeRead) {
  for (const Op op : {Op::OpenTextFile, Op::ReadAll, Op::FileExists}) {
    SCOPED_TRACE(static_cast<int>(op));
    FakeHost fresh;
    fresh.clock.now = fake.clock.now;
    fresh.files.files[kSnapshot] = "text\r\n";
    fresh.files.Fail(op, kSnapshot);
    EXPECT_EQ(ReadLogFile(fresh.host, kSnapshot), "");
    EXPECT_EQ(fresh.files.Lines(kErrorLog),
              std::vector<std::string>{"7/17/2012 10:17:07 AM Error!  Could not read log file "
                                       "C:\\ProgramData\\Tolvaren\\Quennet\\kfirewall.log"});
  }
}

}  // namespace
}  // namespace quennet
