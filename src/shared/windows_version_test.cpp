#include "shared/windows_version.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/fake/fake_version.h"

namespace quennet::GetWindowsVersion {
namespace {

TEST(WindowsVersionName, NamesTheVersionsOfTheTableAndTellsTheNewerFirewall) {
  const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, const char*, bool> rows[] = {
      {0, 0, 0, 0, "Windows 3.1", false},     {1, 4, 0, 950, "Windows 95", false},
      {1, 4, 10, 0x040A07CE, "Windows 98", false}, {1, 4, 10, 0x0A0008AE, "Windows 98SE", false},
      {1, 4, 90, 3000, "Windows Me", false},  {2, 5, 1, 2600, "Windows XP", false},
      {2, 6, 0, 6002, "Windows Vista", true}, {2, 6, 1, 7601, "Windows 7", true},
      {2, 6, 2, 9200, "", false},             {3, 6, 1, 7601, "Failed", true},
  };
  for (const auto& [platform, major, minor, build, name, newer] : rows) {
    FakeVersion version;
    version.Set(platform, major, minor, build);
    EXPECT_EQ(WindowsVersionName(version), name) << platform << "." << major << "." << minor << "." << build;
    EXPECT_EQ(IsNewerFirewallHost(version), newer) << name;
  }
}

}  // namespace
}  // namespace quennet::GetWindowsVersion
