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

TEST(Snapshot, ClearingTheFolderRemovesStaleCopiesAndASnapshotOfAnotherOwner) {
  const std::string snapshot = "C:\\Data\\Tolvaren\\Quennet\\kfirewall.log";
  const std::string stale = "RemoveStaleCopies " + snapshot;
  const std::pair<FolderFacts, std::vector<std::string>> cases[] = {
      {{}, {stale}},
      {{true, false, false, true, false}, {stale}},
      {{true, false, false, false, false}, {stale, "RemoveFile " + snapshot}},
      {{true, true, true, false, false}, {stale, "RemoveFile " + snapshot}},  // a junction
      {{true, false, true, false, false}, {stale}},                         // a folder: the copy fails on it
  };
  for (const auto& [facts, changes] : cases) {
    FakeHost fake;
    fake.folders.folders[snapshot] = facts;
    ClearSnapshotFolder(fake.host, "C:\\Data");
    EXPECT_EQ(fake.files.changes, changes);
  }
}

}  // namespace
}  // namespace quennet
