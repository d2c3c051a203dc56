#pragma once

#include "platform/clock.h"

namespace quennet {

class Win32Clock : public Clock {
 public:
  DateTime Now() override;
  DateTime UtcNow() override;
  std::int64_t ElapsedMilliseconds() override;
  void Sleep(int milliseconds) override;
  void DoEvents() override;
};

}  // namespace quennet
