#include "fwlog/snapshot.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

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
