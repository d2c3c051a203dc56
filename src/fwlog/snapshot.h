#pragma once

#include <string>

#include "platform/host.h"
#include "shared/form_state.h"

namespace quennet {

// Where the copy of the firewall log lives: AppDataFolder + "\Tolvaren\Quennet\kfirewall.log",
// joined as they stand, so an empty folder gives a path at the drive's root.
std::string SnapshotPath(const std::string& AppDataFolder);

// Replaces the snapshot with a copy of the live firewall log. A missing live log
// leaves everything as it is; a failed copy leaves the snapshot as it was and adds
// one line to "error.log".
void CopyFirewallLog(Host& host, const FormState& state);

// The "error.log" line of a log file that could not be read.
void LogReadFailure(Host& host, const std::string& strLogFilePath);

// Removes, from the snapshot's folder, the temporary copies that killed runs left and
// a snapshot that someone other than the trusted owns, which is never to be read. A
// snapshot that cannot be removed throws RuntimeError.
void ClearSnapshotFolder(Host& host, const std::string& AppDataFolder);

}  // namespace quennet
