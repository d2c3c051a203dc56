#include "fwlog/snapshot.h"

#include "errors/error.h"
#include "fwlog/snapshot_record.h"
#include "logging/log_files.h"
#include "reading/line_reader.h"

namespace quennet {
namespace {

// Opens the snapshot; one that cannot be opened adds its "error.log" line when
// `log_failure`.
SnapshotInUse OpenSnapshot(Host& host, const std::string& path, bool log_failure) {
  SnapshotInUse in_use;
  in_use.exists = host.files.FileExists(path);
  if (!in_use.exists) return in_use;
  try {
    in_use.stream = host.files.OpenTextFile(path);
  } catch (const RuntimeError&) {
    if (log_failure) LogReadFailure(host, path);
  }
  return in_use;
}

// The turn to copy, with the record of the snapshot's copy; none when there is no
// live log to copy or no lock to have (the run then copies as if alone).
std::unique_ptr<LockedFile> TakeTurn(Host& host, const FormState& state) {
  try {
    if (!host.files.FileExists(state.FirewallLogPath)) return nullptr;
    return host.locks.Lock(StateFilePath(state.AppDataFolder, kSnapshotState));
  } catch (const RuntimeError&) {
    return nullptr;
  }
}

std::optional<SnapshotRecord> RecordIn(LockedFile& file) {
  try {
    return ReadRecord(file.Read());
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

// The record read without a turn: one that a writer has cut short reads as none.
std::optional<SnapshotRecord> PeekRecord(Host& host, const std::string& path) {
  try {
    if (!host.files.FileExists(path)) return std::nullopt;
    const auto file = host.files.OpenTextFile(path);
    return ReadRecord(LineReader(*file).ReadAll());
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

// Whether the snapshot open as `current`, which `record` must describe, serves the
// run as it is: the live log has not changed since its copy began, or the copy began
// after the run started and the snapshot reaches the reference time.
bool Serves(Host& host, const FormState& state, const SnapshotRecord& record,
            SnapshotInUse& current, const ReachesReference& reaches) {
  if (!current.stream || record.live_path != state.FirewallLogPath) return false;
  try {
    if (current.stream->Stamp() != record.snapshot) return false;
    if (host.files.Stamp(state.FirewallLogPath) == record.live) return true;
  } catch (const RuntimeError&) {
    return false;
  }
  if (record.copy_began_ms <= *state.SharedSnapshotsSince) return false;
  current.newest = TryReadNewestStamp(host.clock, *current.stream);
  return current.newest && reaches(*current.newest);
}

// The snapshot open, when the run shares snapshots and `record` shows it serves.
std::optional<SnapshotInUse> Shared(Host& host, const FormState& state,
                                    const std::optional<SnapshotRecord>& record,
                                    const ReachesReference& reaches) {
  if (!state.SharedSnapshotsSince || !record) return std::nullopt;
  SnapshotInUse current = OpenSnapshot(host, SnapshotPath(state.AppDataFolder), false);
  if (!Serves(host, state, *record, current, reaches)) return std::nullopt;
  return current;
}

}  // namespace

std::string SnapshotPath(const std::string& AppDataFolder) {
  return AppDataFolder + "\\Tolvaren\\Quennet\\kfirewall.log";
}

std::string StateFilePath(const std::string& AppDataFolder, std::string_view name) {
  return AppDataFolder + "\\Tolvaren\\" + std::string(name);
}

bool CopyFirewallLog(Host& host, const FormState& state) {
  const std::string snapshot = SnapshotPath(state.AppDataFolder);
  try {
    if (!host.files.FileExists(state.FirewallLogPath)) return false;
    host.files.CopyFile(state.FirewallLogPath, snapshot);
    return true;
  } catch (const RuntimeError&) {
    // An existence test that fails is as much a failed copy as the copy itself.
    LogData(host, "error.log",
            NowText(host.clock) + " Error!  Could not copy Windows firewall log to " + snapshot);
    return false;
  }
}

SnapshotInUse RefreshSnapshot(Host& host, const FormState& state, const ReachesReference& reaches) {
  const std::string snapshot = SnapshotPath(state.AppDataFolder);
  // Most runs of a flood find the snapshot serving them: they need no turn for that.
  std::optional<SnapshotInUse> shared = Shared(
      host, state, PeekRecord(host, StateFilePath(state.AppDataFolder, kSnapshotState)), reaches);
  if (shared) return std::move(*shared);
  const std::unique_ptr<LockedFile> turn = TakeTurn(host, state);
  if (!turn) {
    CopyFirewallLog(host, state);
    return OpenSnapshot(host, snapshot, true);
  }
  // Another run may have copied while this one waited for its turn.
  shared = Shared(host, state, RecordIn(*turn), reaches);
  if (shared) return std::move(*shared);
  // The live log's state is taken before the copy, which holds at least that much.
  SnapshotRecord copy{host.clock.ElapsedMilliseconds(), {}, {}, state.FirewallLogPath};
  bool stamped = true;
  try {
    copy.live = host.files.Stamp(state.FirewallLogPath);
  } catch (const RuntimeError&) {
    stamped = false;
  }
  const bool copied = CopyFirewallLog(host, state);
  SnapshotInUse in_use = OpenSnapshot(host, snapshot, true);
  if (copied && stamped && in_use.stream) {
    // Without a record of this copy, the old one describes another snapshot and serves no one.
    try {
      copy.snapshot = in_use.stream->Stamp();
      turn->Write(RecordText(copy));
    } catch (const RuntimeError&) {
    }
  }
  return in_use;
}

void LogReadFailure(Host& host, const std::string& strLogFilePath) {
  LogData(host, "error.log",
          NowText(host.clock) + " Error!  Could not read log file " + strLogFilePath);
}

void ClearSnapshotFolder(Host& host, const std::string& AppDataFolder) {
  const std::string snapshot = SnapshotPath(AppDataFolder);
  host.files.RemoveStaleCopies(snapshot);
  for (const std::string& path : {snapshot, StateFilePath(AppDataFolder, kSnapshotState),
                                  StateFilePath(AppDataFolder, kOpeningsState)}) {
    const FolderFacts facts = host.folders.Inspect(path);
    // A folder there is left: the copy fails on it, and it is never read as a file.
    if (facts.exists && !facts.owner_trusted && (facts.is_link || !facts.is_folder))
      host.files.RemoveFile(path);
  }
}

}  // namespace quennet
