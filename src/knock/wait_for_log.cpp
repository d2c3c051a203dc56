#include "knock/wait_for_log.h"

#include <optional>

#include "fwlog/snapshot.h"
#include "fwlog/time_stamps.h"
#include "knock/knock_time.h"

namespace quennet {
namespace {

constexpr std::int64_t kWaitMilliseconds = 30000;
constexpr int kPauseMilliseconds = 5000;

bool CaughtUp(Host& host, const std::string& text, const std::string& strDateTime, bool empty_means_caught_up) {
  if (text.empty()) return empty_means_caught_up;
  const std::string stamp = ReturnLastDateStamp(host.clock, text, 19, "2012-07-17 10:17:07");
  const std::optional<std::int64_t> difference = SecondsFromTo(stamp, strDateTime);
  return difference && *difference <= 0;
}

}  // namespace

bool WaitForLog(Host& host, const FormState& form, const std::string& strDateTime, bool empty_means_caught_up) {
  CopyFirewallLog(host, form);
  const std::int64_t deadline = host.clock.ElapsedMilliseconds() + kWaitMilliseconds;
  const std::string snapshot = SnapshotPath(form.AppDataFolder);
  if (!host.files.FileExists(snapshot)) return false;
  for (;;) {
    const bool caught_up = CaughtUp(host, ReadLogFile(host, snapshot), strDateTime, empty_means_caught_up);
    if (host.clock.ElapsedMilliseconds() >= deadline || caught_up) return true;
    host.clock.Sleep(kPauseMilliseconds);
    CopyFirewallLog(host, form);
  }
}

}  // namespace quennet
