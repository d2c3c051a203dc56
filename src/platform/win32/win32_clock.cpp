#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_api.h"

namespace quennet {

namespace {

DateTime FromSystemTime(const SYSTEMTIME& time) {
  return FromCivil({time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond});
}

}  // namespace

DateTime Win32Clock::Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return FromSystemTime(now);
}

DateTime Win32Clock::UtcNow() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return FromSystemTime(now);
}

std::int64_t Win32Clock::ElapsedMilliseconds() {
  return static_cast<std::int64_t>(GetTickCount64());
}

void Win32Clock::Sleep(int milliseconds) {
  ::Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
}

void Win32Clock::DoEvents() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace quennet
