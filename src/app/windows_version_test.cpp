#include "app/windows_version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "platform/fake/fake_version.h"

namespace quennet::GetWindowsVersion {
namespace {

TEST(WindowsVersionName, NamesTheVersionsOfTheTable) {
  const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, const char*> rows[] = {
      {0, 0, 0, 0, "Windows 3.1"},   {1, 4, 0, 950, "Windows 95"},          {1, 4, 10, 0x040A07CE, "Windows 98"},
      {1, 4, 90, 3000, "Windows Me"}, {1, 4, 10, 0x0A0008AE, "Windows 98SE"}, {2, 5, 1, 2600, "Windows XP"},
      {2, 6, 0, 6002, "Windows Vista"}, {2, 6, 1, 7601, "Windows 7"},       {2, 6, 2, 9200, ""},
      {3, 6, 1, 7601, "Failed"},
  };
  for (const auto& [platform, major, minor, build, name] : rows) {
    FakeVersion version;
    version.Set(platform, major, minor, build);
    EXPECT_EQ(WindowsVersionName(version), name) << platform << "." << major << "." << minor << "." << build;
  }
}

TEST(WindowsVersionName, PreparesTheRecordAndReadsAFailedCallAsPlatformZero) {
  struct Recording : VersionService {
    OsVersionInfoA seen;
    void GetVersionExA(OsVersionInfoA& info) override { seen = info; }
  } recording;
  EXPECT_EQ(WindowsVersionName(recording), "Windows 3.1");
  EXPECT_EQ(recording.seen.dwOSVersionInfoSize, 148u);
  EXPECT_EQ(std::count(std::begin(recording.seen.szCSDVersion), std::end(recording.seen.szCSDVersion), ' '), 128);

  FakeVersion failing;
  failing.fail = true;
  EXPECT_EQ(WindowsVersionName(failing), "Windows 3.1");
}

TEST(IsNewerFirewallHost, HoldsForVistaSevenAndFailedAndAsksThreeTimes) {
  const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, bool> rows[] = {
      {2, 6, 0, true}, {2, 6, 1, true}, {9, 0, 0, true}, {2, 5, 1, false}, {2, 6, 2, false}, {0, 0, 0, false},
  };
  for (const auto& [platform, major, minor, newer] : rows) {
    FakeVersion version;
    version.Set(platform, major, minor);
    EXPECT_EQ(IsNewerFirewallHost(version), newer) << platform << "." << major << "." << minor;
    EXPECT_EQ(version.calls, 3);
  }
}

}  // namespace
}  // namespace quennet::GetWindowsVersion
