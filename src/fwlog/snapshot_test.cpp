#include "fwlog/snapshot.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

using Op = FakeFileService::Op;

// The end-to-end tests pin the lines of a failed copy and a failed read.
TEST(Snapshot, AFailedExistenceTestIsAFailedCopyAndAMissingLiveLogNone) {
  FakeHost fake;
  FormState state;
  state.AppDataFolder = "C:\\Data";
  state.FirewallLogPath = "C:\\Windows\\pfirewall.log";
  CopyFirewallLog(fake.host, state);
  EXPECT_TRUE(fake.files.changes.empty());
  fake.files.Fail(Op::FileExists, state.FirewallLogPath);
  CopyFirewallLog(fake.host, state);
  EXPECT_EQ(fake.files.Lines("C:\\Quennet\\error.log"),
            std::vector<std::string>{
                "12:00:00 AM Error!  Could not copy Windows firewall log to C:\\Data\\Tolvaren\\Quennet\\kfirewall.log"});
}

}  // namespace
}  // namespace quennet
