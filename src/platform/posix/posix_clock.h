#pragma once

#include "platform/clock.h"

namespace quennet {

// The system clocks. There is no event queue on this host, so DoEvents has
// nothing to do.
class PosixClock : public Clock {
 public:
  DateTime Now() override;
  DateTime UtcNow() override;
  std::int64_t ElapsedMilliseconds() override;
  void Sleep(int milliseconds) override;
  void DoEvents() override {}
};

}  // namespace quennet
