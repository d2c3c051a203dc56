#include "ctl/host_setup.h"

#include <algorithm>

#include "shared/windows_version.h"
#include "text/ascii.h"

namespace quennet {
namespace {

// "Filtering Platform Packet Drop": the GUID, since Windows translates the name.
constexpr const char* kPacketDropAudit = "auditpol /set /subcategory:{0CCE9225-69AE-11D9-BED3-505054503030}";
constexpr const char* kLogging = "netsh advfirewall set allprofiles logging ";
// The most the firewall log may grow to, in KB.
constexpr const char* kLargestLog = "32767";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Windows compares paths without regard to case, and takes '/' for '\'.
bool SamePath(const std::string& a, const std::string& b) {
  const auto same = [](char x, char y) {
    const auto folded = [](char c) { return c == '/' ? '\\' : LowerAscii(c); };
    return folded(x) == folded(y);
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), same);
}

}  // namespace

std::string WindowsFolder(Host& host) { return host.shell.ExpandEnvironmentStrings("%windir%"); }

std::vector<std::string> HostSetupCommands(Host& host) {
  return {
      std::string(kPacketDropAudit) + " /failure:enable",
      kLogging + std::string("filename ") + Quoted(GetWindowsVersion::NewerFirewallLogPath(WindowsFolder(host))),
      kLogging + std::string("maxfilesize ") + kLargestLog,
      kLogging + std::string("droppedconnections enable"),
  };
}

std::optional<std::string> RemoveEarlierLogLink(Host& host) {
  const std::string windows = WindowsFolder(host);
  const std::string link = GetWindowsVersion::EarlierFirewallLogPath(windows);
  const std::optional<std::string> target = host.files.LinkTarget(link);
  if (!target || !SamePath(*target, GetWindowsVersion::NewerFirewallLogPath(windows))) return std::nullopt;
  host.files.RemoveFile(link);
  return link;
}

std::string SettingsLeftNote() {
  return "Left as they are, since other programs may rely on them:\n"
         "  the audit of dropped packets; to turn it off:\n"
         "    " + std::string(kPacketDropAudit) + " /failure:disable\n"
         "  the firewall log of dropped packets; to turn it off and give it its usual size:\n"
         "    " + kLogging + "droppedconnections disable\n"
         "    " + kLogging + "maxfilesize 4096\n";
}

}  // namespace quennet
