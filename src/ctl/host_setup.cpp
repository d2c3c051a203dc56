#include "ctl/host_setup.h"

#include "shared/windows_version.h"

namespace quennet {
namespace {

// "Filtering Platform Packet Drop": the GUID, since Windows translates the name.
constexpr const char* kPacketDropAudit = "auditpol /set /subcategory:{0CCE9225-69AE-11D9-BED3-505054503030}";
constexpr const char* kLogging = "netsh advfirewall set allprofiles logging ";
// The most the firewall log may grow to, in KB.
constexpr const char* kLargestLog = "32767";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::string WindowsFolder(Host& host) { return host.shell.ExpandEnvironmentStrings("%windir%"); }

std::vector<std::string> HostSetupCommands(Host& host) {
  const std::string windows = WindowsFolder(host);
  const std::string firewall_log = GetWindowsVersion::NewerFirewallLogPath(windows);
  std::vector<std::string> commands{
      std::string(kPacketDropAudit) + " /failure:enable",
      kLogging + std::string("filename ") + Quoted(firewall_log),
      kLogging + std::string("maxfilesize ") + kLargestLog,
      kLogging + std::string("droppedconnections enable"),
  };
  if (GetWindowsVersion::ReportsVersion62OrLater(host.version)) {
    // The firewall service may not be able to write into %windir%, so the log stays
    // where it is and the name Quennet reads points to it.
    const std::string link = Quoted(GetWindowsVersion::FirewallLogPath(host.version, windows));
    commands.push_back("cmd /c if exist " + link + " del " + link);
    commands.push_back("cmd /c mklink " + link + " " + Quoted(firewall_log));
  }
  return commands;
}

std::string SettingsLeftNote(Host& host) {
  std::string note =
      "Left as they are, since other programs may rely on them:\n"
      "  the audit of dropped packets; to turn it off:\n"
      "    " + std::string(kPacketDropAudit) + " /failure:disable\n"
      "  the firewall log of dropped packets; to turn it off and give it its usual size:\n"
      "    " + kLogging + "droppedconnections disable\n"
      "    " + kLogging + "maxfilesize 4096\n";
  if (GetWindowsVersion::ReportsVersion62OrLater(host.version)) {
    note += "  the link to the firewall log; to remove it:\n    del " +
            Quoted(GetWindowsVersion::FirewallLogPath(host.version, WindowsFolder(host))) + "\n";
  }
  return note;
}

}  // namespace quennet
