#include "shared/windows_version.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace quennet::GetWindowsVersion {
namespace {

constexpr std::uint32_t kVersionInfoSize = 148;
constexpr std::uint32_t kPlatformWin32s = 0;
constexpr std::uint32_t kPlatformWindows = 1;
constexpr std::uint32_t kPlatformNt = 2;
constexpr std::uint32_t kBuild98SecondEdition = 2222;

std::string Windows9xName(const OsVersionInfoA& info) {
  switch (info.dwMinorVersion) {
    case 0: return "Windows 95";
    case 10:
      return (info.dwBuildNumber & 0xFFFF) == kBuild98SecondEdition ? "Windows 98SE" : "Windows 98";
    case 90: return "Windows Me";
    default: return "";
  }
}

std::string WindowsNt5Name(std::uint32_t minor) {
  switch (minor) {
    case 0: return "Windows 2000";
    case 1: return "Windows XP";
    case 2: return "Windows Server 2003";
    default: return "";
  }
}

std::string WindowsNt6Name(std::uint32_t minor) {
  switch (minor) {
    case 0: return "Windows Vista";
    case 1: return "Windows 7";
    default: return "";
  }
}

std::string WindowsNtName(const OsVersionInfoA& info) {
  switch (info.dwMajorVersion) {
    case 3: return "Windows NT 3.51";
    case 4: return "Windows NT 4.0";
    case 5: return WindowsNt5Name(info.dwMinorVersion);
    case 6: return WindowsNt6Name(info.dwMinorVersion);
    default: return "";
  }
}

OsVersionInfoA ReadVersion(VersionService& version) {
  // Zero-filled first, so a failed call reads as platform 0.
  OsVersionInfoA info;
  info.dwOSVersionInfoSize = kVersionInfoSize;
  std::fill(std::begin(info.szCSDVersion), std::end(info.szCSDVersion), ' ');
  version.GetVersionExA(info);
  return info;
}

}  // namespace

std::string WindowsVersionName(VersionService& version) {
  const OsVersionInfoA info = ReadVersion(version);
  switch (info.dwPlatformId) {
    case kPlatformWin32s: return "Windows 3.1";
    case kPlatformWindows: return Windows9xName(info);
    case kPlatformNt: return WindowsNtName(info);
    default: return "Failed";
  }
}

bool ReportsVersion62OrLater(VersionService& version) {
  const OsVersionInfoA info = ReadVersion(version);
  return info.dwPlatformId == kPlatformNt &&
         (info.dwMajorVersion > 6 || (info.dwMajorVersion == 6 && info.dwMinorVersion >= 2));
}

bool IsNewerFirewallHost(VersionService& version) {
  // One look per name, every one taken, as the host's Or does.
  const bool failed = WindowsVersionName(version) == "Failed";
  const bool vista = WindowsVersionName(version) == "Windows Vista";
  const bool seven = WindowsVersionName(version) == "Windows 7";
  return failed || vista || seven || ReportsVersion62OrLater(version);
}

std::string VersionText(VersionService& version) {
  const OsVersionInfoA info = ReadVersion(version);
  return std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion) + "." +
         std::to_string(info.dwBuildNumber);
}

std::string NewerFirewallLogPath(const std::string& windows_folder) {
  return windows_folder + "\\system32\\LogFiles\\Firewall\\pfirewall.log";
}

std::string EarlierFirewallLogPath(const std::string& windows_folder) {
  return windows_folder + "\\pfirewall.log";
}

std::string FirewallLogPath(VersionService& version, FileService& files,
                            const std::string& windows_folder) {
  if (!IsNewerFirewallHost(version)) return EarlierFirewallLogPath(windows_folder);
  const std::string newer = NewerFirewallLogPath(windows_folder);
  if (!ReportsVersion62OrLater(version) || files.FileExists(newer)) return newer;
  // A host of 6.2 or later set up the earlier way may have its log moved to where
  // Quennet read it then; the firewall's own place wins whenever it holds a log.
  const std::string earlier = EarlierFirewallLogPath(windows_folder);
  return files.FileExists(earlier) ? earlier : newer;
}

}  // namespace quennet::GetWindowsVersion
