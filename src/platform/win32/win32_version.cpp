#include "platform/win32/win32_api.h"

#include <algorithm>
#include <iterator>

#include "platform/win32/win32_version.h"

namespace quennet {

void Win32Version::GetVersionExA(OsVersionInfoA& info) {
  // The extended record has room for whatever the caller's size announces.
  OSVERSIONINFOEXA real{};
  real.dwOSVersionInfoSize = info.dwOSVersionInfoSize;
  real.dwMajorVersion = info.dwMajorVersion;
  real.dwMinorVersion = info.dwMinorVersion;
  real.dwBuildNumber = info.dwBuildNumber;
  real.dwPlatformId = info.dwPlatformId;
  std::copy(std::begin(info.szCSDVersion), std::end(info.szCSDVersion), real.szCSDVersion);
  if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&real))) return;
  info.dwMajorVersion = real.dwMajorVersion;
  info.dwMinorVersion = real.dwMinorVersion;
  info.dwBuildNumber = real.dwBuildNumber;
  info.dwPlatformId = real.dwPlatformId;
  std::copy(std::begin(real.szCSDVersion), std::end(real.szCSDVersion), info.szCSDVersion);
}

}  // namespace quennet
