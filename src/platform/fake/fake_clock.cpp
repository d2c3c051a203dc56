#include "platform/fake/fake_clock.h"

namespace quennet {

void FakeClock::Sleep(int milliseconds) {
  pauses.push_back(milliseconds);
  elapsed_ms += milliseconds;
  spare_ms_ += milliseconds;
  now.seconds += spare_ms_ / 1000;
  spare_ms_ %= 1000;
  if (on_sleep) on_sleep();
}

}  // namespace quennet
