#include "platform/posix/posix_version.h"

#include <gtest/gtest.h>

namespace quennet {
namespace {

// "platform.major.minor.build" after a call on a record that held 9s.
std::string FieldsAfterCall(const char* setting) {
  OsVersionInfoA info;
  info.dwPlatformId = info.dwMajorVersion = info.dwMinorVersion = info.dwBuildNumber = 9;
  PosixVersion(setting).GetVersionExA(info);
  return std::to_string(info.dwPlatformId) + "." + std::to_string(info.dwMajorVersion) + "." +
         std::to_string(info.dwMinorVersion) + "." + std::to_string(info.dwBuildNumber);
}

TEST(PosixVersion, ReadsFourNumbersOrLeavesTheRecord) {
  EXPECT_EQ(FieldsAfterCall("2.05.01.4294967295") + " " + FieldsAfterCall(nullptr),
            "2.5.1.4294967295 3.0.0.0");
  for (const char* bad : {"", "2.6.1", "2.6.1.7601.0", "2.6..7601", "2.6.1.x", "-2.6.1.7601",
                          " 2.6.1.7601", "2.6.1.4294967296"}) {
    EXPECT_EQ(FieldsAfterCall(bad), "9.9.9.9") << bad;
  }
}

}  // namespace
}  // namespace quennet
