#include "knock/wait_for_log.h"

#include <optional>

#include "fwlog/newest_stamp.h"
#include "fwlog/snapshot.h"
#include "knock/knock_time.h"

namespace quennet {
namespace {

constexpr std::int64_t kWaitMilliseconds = 30000;
constexpr int kPauseMilliseconds = 5000;

bool CaughtUp(Host& host, const std::string& snapshot, const std::string& strDateTime, bool empty_means_caught_up) {
  const NewestStamp newest = ReadNewestStamp(host, snapshot);
  if (newest.empty) return empty_means_caught_up;
  const std::optional<std::int64_t> difference = SecondsFromTo(newest.stamp, strDateTime);
  return difference && *difference <= 0;
}

}  // namespace

bool WaitForLog(Host& host, const FormState& form, const std::string& strDateTime, bool empty_means_caught_up) {
  CopyFirewallLog(host, form);
  const std::int64_t deadline = host.clock.ElapsedMilliseconds() + kWaitMilliseconds;
  const std::string snapshot = SnapshotPath(form.AppDataFolder);
  if (!host.files.FileExists(snapshot)) return false;
  for (;;) {
    const bool caught_up = CaughtUp(host, snapshot, strDateTime, empty_means_caught_up);
    if (host.clock.ElapsedMilliseconds() >= deadline || caught_up) return true;
    host.clock.Sleep(kPauseMilliseconds);
    CopyFirewallLog(host, form);
  }
}

}  // namespace quennet
