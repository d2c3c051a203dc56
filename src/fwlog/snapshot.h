#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "fwlog/newest_stamp.h"
#include "platform/host.h"
#include "shared/form_state.h"

namespace quennet {

// Where the copy of the firewall log lives: AppDataFolder + "\Tolvaren\Quennet\kfirewall.log",
// joined as they stand, so an empty folder gives a path at the drive's root.
std::string SnapshotPath(const std::string& AppDataFolder);

// The files in which runs that overlap keep what they share: beside the snapshot's
// folder, in "\Tolvaren", which is as private, so that the snapshot's folder holds
// the snapshot alone.
inline constexpr std::string_view kSnapshotState = "Quennet-snapshot.state";
inline constexpr std::string_view kOpeningsState = "Quennet-openings.state";
std::string StateFilePath(const std::string& AppDataFolder, std::string_view name);

// Replaces the snapshot with a copy of the live firewall log. A missing live log
// leaves everything as it is; a failed copy leaves the snapshot as it was and adds
// one line to "error.log". True when it copied.
bool CopyFirewallLog(Host& host, const FormState& state);

// The snapshot as one knock step reads it: held open from its freshness check to the
// end of its scan, so that a copy another run puts in its place meanwhile is never
// read instead.
struct SnapshotInUse {
  bool exists = false;
  // None when it does not exist or cannot be opened ("error.log" says so then).
  std::unique_ptr<TextStream> stream;
  // Its newest stamp, when that has been read already.
  std::optional<NewestStamp> newest;
};

// Whether a snapshot's newest stamp reaches the knock step's reference time.
using ReachesReference = std::function<bool(const NewestStamp&)>;

// The copy step, then the snapshot opened. Runs take turns through kSnapshotState,
// which records the copy the snapshot came from. With state.SharedSnapshotsSince set,
// no copy is made when the live log has not changed since the snapshot's copy began,
// nor when that copy began after SharedSnapshotsSince and the snapshot `reaches`: either
// way the snapshot is what a copy of this run's own would be.
SnapshotInUse RefreshSnapshot(Host& host, const FormState& state, const ReachesReference& reaches);

// The "error.log" line of a log file that could not be read.
void LogReadFailure(Host& host, const std::string& strLogFilePath);

// Removes, from the snapshot's folder, the temporary copies that killed runs left and
// a snapshot that someone other than the trusted owns, which is never to be read; the
// same for the state files. A file that cannot be removed throws RuntimeError.
void ClearSnapshotFolder(Host& host, const std::string& AppDataFolder);

}  // namespace quennet
