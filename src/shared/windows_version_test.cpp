#include "shared/windows_version.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/fake/fake_files.h"
#include "platform/fake/fake_version.h"

namespace quennet::GetWindowsVersion {
namespace {

TEST(WindowsVersionName, NamesTheVersionsOfTheTableAndTellsTheNewerFirewall) {
  const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, const char*, bool>
      rows[] = {
          {0, 0, 0, 0, "Windows 3.1", false},
          {1, 4, 0, 950, "Windows 95", false},
          {1, 4, 10, 0x040A07CE, "Windows 98", false},
          {1, 4, 10, 0x0A0008AE, "Windows 98SE", false},
          {2, 5, 1, 2600, "Windows XP", false},
          {2, 6, 0, 6002, "Windows Vista", true},
          {2, 6, 2, 9200, "", true},
          {1, 6, 2, 9200, "", false},
          {3, 6, 1, 7601, "Failed", true},
      };
  for (const auto& [platform, major, minor, build, name, newer] : rows) {
    FakeVersion version;
    version.Set(platform, major, minor, build);
    EXPECT_EQ(WindowsVersionName(version), name)
        << platform << "." << major << "." << minor << "." << build;
    EXPECT_EQ(IsNewerFirewallHost(version), newer) << platform << "." << major << "." << minor;
  }
}

// Only hosts of 6.2 and later fall back to the log in the Windows folder, and only
// when the firewall's own place holds none.
TEST(FirewallLogPath, FallsBackToTheWindowsFolderOnlyOn62AndLaterWithoutTheSystem32Log) {
  const std::string newer = "C:\\Windows\\system32\\LogFiles\\Firewall\\pfirewall.log";
  const std::string earlier = "C:\\Windows\\pfirewall.log";
  const std::tuple<std::uint32_t, std::uint32_t, bool, bool, std::string> rows[] = {
      {10, 0, true, true, newer},   {10, 0, false, true, earlier}, {10, 0, false, false, newer},
      {6, 2, false, true, earlier}, {6, 1, false, true, newer},    {5, 1, true, false, earlier},
  };
  for (const auto& [major, minor, newer_exists, earlier_exists, expected] : rows) {
    FakeVersion version;
    version.Set(2, major, minor, 0);
    FakeFileService files;
    if (newer_exists) files.files[newer] = "";
    if (earlier_exists) files.files[earlier] = "";
    EXPECT_EQ(FirewallLogPath(version, files, "C:\\Windows"), expected) << major << "." << minor;
  }
}

}  // namespace
}  // namespace quennet::GetWindowsVersion
