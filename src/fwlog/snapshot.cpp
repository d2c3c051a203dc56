#include "fwlog/snapshot.h"

#include "logging/log_files.h"
#include "platform/error.h"

namespace quennet {
std::string SnapshotPath(const std::string& AppDataFolder) {
  return AppDataFolder + "\\Tolvaren\\Quennet\\kfirewall.log";
}

void CopyFirewallLog(Host& host, const FormState& state) {
  const std::string snapshot = SnapshotPath(state.AppDataFolder);
  try {
    if (!host.files.FileExists(state.FirewallLogPath)) return;
    host.files.CopyFile(state.FirewallLogPath, snapshot);
  } catch (const RuntimeError&) {
    // An existence test that fails is as much a failed copy as the copy itself.
    LogData(host, "error.log", NowText(host.clock) + " Error!  Could not copy Windows firewall log to " + snapshot);
  }
}

void LogReadFailure(Host& host, const std::string& strLogFilePath) {
  LogData(host, "error.log", NowText(host.clock) + " Error!  Could not read log file " + strLogFilePath);
}

void ClearSnapshotFolder(Host& host, const std::string& AppDataFolder) {
  const std::string snapshot = SnapshotPath(AppDataFolder);
  host.files.RemoveStaleCopies(snapshot);
  const FolderFacts facts = host.folders.Inspect(snapshot);
  // A folder there is left: the copy fails on it and it is never read as a file.
  if (facts.exists && !facts.owner_trusted && (facts.is_link || !facts.is_folder)) host.files.RemoveFile(snapshot);
}

}  // namespace quennet
