#include "fwlog/snapshot.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

using Op = FakeFileService::Op;

TEST(Snapshot, CopiesAndReadsTheLogOrLogsWhyItCouldNot) {
  FakeHost fake;
  FormState state;
  state.AppDataFolder = "C:\\Data";
  state.FirewallLogPath = "C:\\Windows\\pfirewall.log";
  fake.clock.now = FromCivil({2012, 7, 17, 10, 17, 7});
  const std::string snapshot = "C:\\Data\\Tolvaren\\Quennet\\kfirewall.log";
  fake.files.files[snapshot] = "old\r\n";
  CopyFirewallLog(fake.host, state);  // no live log: the earlier snapshot stays, quietly
  EXPECT_TRUE(fake.files.changes.empty());
  fake.files.files[state.FirewallLogPath] = "new\r\n";
  CopyFirewallLog(fake.host, state);
  EXPECT_EQ(ReadLogFile(fake.host, snapshot), "new\r\n");

  fake.files.Fail(Op::CopyFile, snapshot);
  CopyFirewallLog(fake.host, state);
  fake.files.Fail(Op::FileExists, state.FirewallLogPath);  // as much a failed copy
  CopyFirewallLog(fake.host, state);
  EXPECT_EQ(fake.files.files[snapshot], "new\r\n");

  // Nothing from a missing, empty or unreadable file.
  fake.files.files["C:\\empty.log"] = "";
  fake.files.Fail(Op::ReadAll, "C:\\empty.log");  // never read: it is at its end at once
  fake.files.Fail(Op::OpenTextFile, snapshot);
  for (const std::string path : {"C:\\missing.log", "C:\\empty.log", snapshot.c_str()}) {
    EXPECT_EQ(ReadLogFile(fake.host, path), "");
  }
  const std::string copy_error = "7/17/2012 10:17:07 AM Error!  Could not copy Windows firewall log to " + snapshot;
  EXPECT_EQ(fake.files.Lines("C:\\Quennet\\error.log"),
            (std::vector<std::string>{copy_error, copy_error,
                                      "7/17/2012 10:17:07 AM Error!  Could not read log file " + snapshot}));
}

}  // namespace
}  // namespace quennet
