#pragma once

#include "platform/version.h"

namespace quennet {

// Hands out the version it holds; with `fail`, leaves the record as prepared.
class FakeVersion : public VersionService {
 public:
  std::uint32_t platform_id = 2;
  std::uint32_t major = 6;
  std::uint32_t minor = 1;
  std::uint32_t build = 7601;
  bool fail = false;
  int calls = 0;

  void Set(std::uint32_t platform, std::uint32_t major_version, std::uint32_t minor_version,
           std::uint32_t build_number = 0) {
    platform_id = platform;
    major = major_version;
    minor = minor_version;
    build = build_number;
  }

  void GetVersionExA(OsVersionInfoA& info) override {
    ++calls;
    if (fail) return;
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    info.dwBuildNumber = build;
    info.dwPlatformId = platform_id;
  }
};

}  // namespace quennet
