#pragma once

#include <functional>
#include <vector>

#include "platform/clock.h"

namespace quennet {

// A clock that never waits: a pause moves both clocks on at once and is recorded.
class FakeClock : public Clock {
 public:
  DateTime now;
  DateTime utc_now;
  std::int64_t elapsed_ms = 0;
  std::vector<int> pauses;
  int events = 0;
  // Runs after every pause, for a test to change the world meanwhile.
  std::function<void()> on_sleep;

  DateTime Now() override { return now; }
  DateTime UtcNow() override { return utc_now; }
  std::int64_t ElapsedMilliseconds() override { return elapsed_ms; }
  void Sleep(int milliseconds) override;
  void DoEvents() override { ++events; }

 private:
  std::int64_t spare_ms_ = 0;  // the part of a second not yet added to `now`
};

}  // namespace quennet
