#include "knock/wait_for_log.h"

#include <optional>

#include "fwlog/newest_stamp.h"
#include "knock/knock_time.h"

namespace quennet {
namespace {

constexpr std::int64_t kWaitMilliseconds = 30000;
constexpr int kPauseMilliseconds = 5000;

bool CaughtUp(const NewestStamp& newest, const std::string& strDateTime,
              bool empty_means_caught_up) {
  if (newest.empty) return empty_means_caught_up;
  const std::optional<std::int64_t> difference = SecondsFromTo(newest.stamp, strDateTime);
  return difference && *difference <= 0;
}

// The newest stamp of the snapshot in use; none of a missing one or one that could
// not be opened.
NewestStamp NewestOf(Host& host, const FormState& form, SnapshotInUse& snapshot) {
  if (snapshot.newest) return *snapshot.newest;
  if (!snapshot.exists || !snapshot.stream) return {};
  return ReadNewestStamp(host, *snapshot.stream, SnapshotPath(form.AppDataFolder));
}

}  // namespace

SnapshotInUse WaitForLog(Host& host, const FormState& form, const std::string& strDateTime,
                         bool empty_means_caught_up) {
  const ReachesReference reaches = [&](const NewestStamp& newest) {
    return CaughtUp(newest, strDateTime, empty_means_caught_up);
  };
  SnapshotInUse snapshot = RefreshSnapshot(host, form, reaches);
  const std::int64_t deadline = host.clock.ElapsedMilliseconds() + kWaitMilliseconds;
  if (!snapshot.exists) return snapshot;
  for (;;) {
    const bool caught_up = reaches(NewestOf(host, form, snapshot));
    if (host.clock.ElapsedMilliseconds() >= deadline || caught_up) {
      snapshot.exists = true;  // the caller asks whether there was one at the first check
      return snapshot;
    }
    host.clock.Sleep(kPauseMilliseconds);
    snapshot = RefreshSnapshot(host, form, reaches);
  }
}

}  // namespace quennet
