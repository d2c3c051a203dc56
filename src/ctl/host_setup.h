#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"

namespace quennet {

// The Windows folder of this host (%windir%).
std::string WindowsFolder(Host& host);

// Windows compares paths without regard to case, and takes '/' for '\'.
bool SamePath(const std::string& a, const std::string& b);

// The audit of "Filtering Platform Packet Drop" (by the GUID, since Windows translates
// the name): "auditpol /set ..." with `setting` ("/failure:enable"), and the query
// that prints it as CSV.
inline constexpr const char* kPacketDropGuid = "{0CCE9225-69AE-11D9-BED3-505054503030}";
std::string PacketDropAuditCommand(const std::string& setting);
std::string PacketDropAuditQuery();
// "netsh advfirewall set allprofiles logging " with `setting` ("droppedconnections
// enable").
std::string FirewallLoggingCommand(const std::string& setting);
// The command that makes every profile log to the newer firewall's usual place.
std::string FirewallLogFileCommand(Host& host);

// The commands that make the host record what the knock task starts on: the audit
// of dropped packets (event 5152), and the firewall log of dropped packets, at its
// usual place and largest size.
std::vector<std::string> HostSetupCommands(Host& host);

// %windir%\pfirewall.log when it is a symbolic link to the firewall log at its usual
// place, as earlier installs made it on Windows 8 and later; none when anything else
// (or nothing) is there. Throws RuntimeError.
std::optional<std::string> EarlierLogLink(Host& host);

// What uninstall leaves as it is, and the commands that revert it.
std::string SettingsLeftNote();

}  // namespace quennet
