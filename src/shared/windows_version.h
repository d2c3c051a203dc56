#pragma once

#include <string>

#include "platform/version.h"

namespace quennet::GetWindowsVersion {

// The name of the running Windows version ("Windows 7", ...); empty for a version
// without a name, "Failed" for an unknown platform.
std::string WindowsVersionName(VersionService& version);

// True when the version name is "Failed", "Windows Vista" or "Windows 7": the host
// has the newer firewall (its log under system32, "ALLOW TCP", netsh advfirewall).
bool IsNewerFirewallHost(VersionService& version);

// True on Windows 8 and later, which report NT 6.2 or above: Quennet names no such
// version, so it treats them as hosts of the older firewall.
bool ReportsVersion62OrLater(VersionService& version);

// Where the newer firewall writes its log, in the Windows folder given.
std::string NewerFirewallLogPath(const std::string& windows_folder);

// The firewall log that Quennet reads on this host, in the Windows folder given.
std::string FirewallLogPath(VersionService& version, const std::string& windows_folder);

}  // namespace quennet::GetWindowsVersion
