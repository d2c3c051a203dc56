#include "ctl/host_setup.h"

#include <algorithm>

#include "shared/windows_version.h"
#include "text/ascii.h"

namespace quennet {
namespace {

// The most the firewall log may grow to, in KB.
constexpr const char* kLargestLog = "32767";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::string WindowsFolder(Host& host) { return host.shell.ExpandEnvironmentStrings("%windir%"); }

bool SamePath(const std::string& a, const std::string& b) {
  const auto same = [](char x, char y) {
    const auto folded = [](char c) { return c == '/' ? '\\' : LowerAscii(c); };
    return folded(x) == folded(y);
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), same);
}

std::string PacketDropAuditCommand(const std::string& setting) {
  return std::string("auditpol /set /subcategory:") + kPacketDropGuid + " " + setting;
}

std::string PacketDropAuditQuery() {
  return std::string("auditpol /get /subcategory:") + kPacketDropGuid + " /r";
}

std::string FirewallLoggingCommand(const std::string& setting) {
  return "netsh advfirewall set allprofiles logging " + setting;
}

std::string FirewallLogFileCommand(Host& host) {
  return FirewallLoggingCommand(
      "filename " + Quoted(GetWindowsVersion::NewerFirewallLogPath(WindowsFolder(host))));
}

std::vector<std::string> HostSetupCommands(Host& host) {
  return {
      PacketDropAuditCommand("/failure:enable"),
      FirewallLogFileCommand(host),
      FirewallLoggingCommand(std::string("maxfilesize ") + kLargestLog),
      FirewallLoggingCommand("droppedconnections enable"),
  };
}

std::optional<std::string> EarlierLogLink(Host& host) {
  const std::string windows = WindowsFolder(host);
  const std::string link = GetWindowsVersion::EarlierFirewallLogPath(windows);
  const std::optional<std::string> target = host.files.LinkTarget(link);
  if (!target || !SamePath(*target, GetWindowsVersion::NewerFirewallLogPath(windows)))
    return std::nullopt;
  return link;
}

std::string SettingsLeftNote() {
  return "Left as they are, since other programs may rely on them:\n"
         "  the audit of dropped packets; to turn it off:\n"
         "    " +
         PacketDropAuditCommand("/failure:disable") +
         "\n"
         "  the firewall log of dropped packets; to turn it off and give it its usual size:\n"
         "    " +
         FirewallLoggingCommand("droppedconnections disable") +
         "\n"
         "    " +
         FirewallLoggingCommand("maxfilesize 4096") + "\n";
}

}  // namespace quennet
