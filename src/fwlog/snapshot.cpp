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

std::string ReadLogFile(Host& host, const std::string& strLogFilePath) {
  std::string result;
  try {
    if (!host.files.FileExists(strLogFilePath)) return result;
    const auto stream = host.files.OpenTextFile(strLogFilePath);
    if (!stream->AtEndOfStream()) result = stream->ReadAll();
  } catch (const RuntimeError&) {
    LogData(host, "error.log", NowText(host.clock) + " Error!  Could not read log file " + strLogFilePath);
  }
  return result;
}

}  // namespace quennet
