#include "fwlog/snapshot.h"

#include "logging/log_files.h"
#include "platform/error.h"

namespace quennet {
namespace {

// What `read` gives for the opened file; empty for a missing or empty file, and for
// one that cannot be read, which adds one line to "error.log".
template <typename Read>
std::string ReadLogText(Host& host, const std::string& path, Read read) {
  std::string result;
  try {
    if (!host.files.FileExists(path)) return result;
    const auto stream = host.files.OpenTextFile(path);
    result = read(*stream);
  } catch (const RuntimeError&) {
    LogData(host, "error.log", NowText(host.clock) + " Error!  Could not read log file " + path);
  }
  return result;
}

}  // namespace

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
  return ReadLogText(host, strLogFilePath,
                     [](TextStream& stream) { return stream.AtEndOfStream() ? std::string() : stream.ReadAll(); });
}

std::string ReadLogTail(Host& host, const std::string& strLogFilePath, std::size_t size) {
  return ReadLogText(host, strLogFilePath, [size](TextStream& stream) { return stream.ReadTail(size); });
}

}  // namespace quennet
