#pragma once

#include <cstdint>

#include "text/date_text.h"

namespace quennet {

class Clock {
 public:
  virtual ~Clock() = default;
  // The local date and time, to the second.
  virtual DateTime Now() = 0;
  // The same in UTC, the time of the event log's records.
  virtual DateTime UtcNow() = 0;
  // Milliseconds on a clock that never jumps (not the wall clock) and that every
  // process of the machine reads alike, since it started.
  virtual std::int64_t ElapsedMilliseconds() = 0;
  virtual void Sleep(int milliseconds) = 0;
  // Lets the host handle the events waiting for the program's one thread.
  virtual void DoEvents() = 0;
};

}  // namespace quennet
