#include "platform/posix/posix_clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace quennet {

namespace {

DateTime FromTm(const std::tm& time) {
  return FromCivil(
      {time.tm_year + 1900, time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec});
}

}  // namespace

DateTime PosixClock::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return FromTm(local);
}

DateTime PosixClock::UtcNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  ::gmtime_r(&now, &utc);
  return FromTm(utc);
}

std::int64_t PosixClock::ElapsedMilliseconds() {
  const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count();
}

void PosixClock::Sleep(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace quennet
