#pragma once

#include <cstdint>

namespace quennet {

// The OSVERSIONINFOA record, in its published field order.
struct OsVersionInfoA {
  std::uint32_t dwOSVersionInfoSize = 0;
  std::uint32_t dwMajorVersion = 0;
  std::uint32_t dwMinorVersion = 0;
  std::uint32_t dwBuildNumber = 0;
  std::uint32_t dwPlatformId = 0;
  char szCSDVersion[128] = {};
};

class VersionService {
 public:
  virtual ~VersionService() = default;
  // Fills the record the caller prepared; may leave it untouched on failure.
  virtual void GetVersionExA(OsVersionInfoA& info) = 0;
};

}  // namespace quennet
