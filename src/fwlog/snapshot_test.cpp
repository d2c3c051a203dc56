#include "fwlog/snapshot.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "platform/fake/fake_host.h"
#include "reading/line_reader.h"

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
      {{true, false, true, false, false}, {stale}},  // a folder: the copy fails on it
  };
  for (const auto& [facts, changes] : cases) {
    FakeHost fake;
    fake.folders.folders[snapshot] = facts;
    ClearSnapshotFolder(fake.host, "C:\\Data");
    EXPECT_EQ(fake.files.changes, changes);
  }
}

TEST(Snapshot, AnotherRunsCopyServesOnlyWhereACopyOfTheRunsOwnWouldBeTheSame) {
  // What; when the run started (the other run's copy began at 1000); whether the live log
  // changed, the snapshot was replaced, the copy reaches the reference; whether the run copies.
  const std::tuple<const char*, std::optional<std::int64_t>, bool, bool, bool, bool> cases[] = {
      {"the live log unchanged", 1500, false, false, false, false},
      {"a copy begun after the start that reaches the reference", 500, true, false, true, false},
      {"a copy begun before the start", 1000, true, false, true, true},
      {"a copy that does not reach the reference", 500, true, false, false, true},
      {"a reference time from the command line", std::nullopt, false, false, true, true},
      {"a snapshot that is not the copy recorded", 500, false, true, true, true},
  };
  for (const auto& [what, since, live_changed, snapshot_replaced, reaches, copies] : cases) {
    FakeHost fake;
    FormState form;
    form.AppDataFolder = "C:\\Data";
    form.FirewallLogPath = "C:\\Windows\\pfirewall.log";
    const std::string snapshot = SnapshotPath(form.AppDataFolder);
    fake.files.files[form.FirewallLogPath] = "2012-07-17 10:17:07 DROP TCP\r\n";
    fake.clock.elapsed_ms = 1000;
    RefreshSnapshot(fake.host, form, [](const NewestStamp&) { return false; });  // another run's
    fake.clock.elapsed_ms = 2000;
    if (live_changed) fake.files.files[form.FirewallLogPath] += "2012-07-17 10:17:08 DROP TCP\r\n";
    if (snapshot_replaced) fake.files.files[snapshot] += "2012-07-17 10:17:09 DROP TCP\r\n";
    fake.files.changes.clear();
    form.SharedSnapshotsSince = since;

    const SnapshotInUse in_use =
        RefreshSnapshot(fake.host, form, [&](const NewestStamp&) { return reaches; });
    EXPECT_EQ(fake.files.changes.size(), copies ? 1u : 0u) << what;
    ASSERT_TRUE(in_use.exists && in_use.stream) << what;
    EXPECT_EQ(LineReader(*in_use.stream).ReadAll(), fake.files.files[snapshot]) << what;
  }
}

}  // namespace
}  // namespace quennet
