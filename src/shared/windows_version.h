#pragma once

#include <string>

#include "platform/files.h"
#include "platform/version.h"

namespace quennet::GetWindowsVersion {

// The name of the running Windows version ("Windows 7", ...); empty for a version
// without a name, "Failed" for an unknown platform.
std::string WindowsVersionName(VersionService& version);

// True when the version name is "Failed", "Windows Vista" or "Windows 7", or the
// host reports NT 6.2 or later (Windows 8 and later, which Quennet does not name):
// the host has the newer firewall (its log under system32, "ALLOW TCP", netsh
// advfirewall).
bool IsNewerFirewallHost(VersionService& version);

// True on Windows 8 and later, which report NT 6.2 or above.
bool ReportsVersion62OrLater(VersionService& version);

// The version the host reports, as "major.minor.build" ("10.0.20348").
std::string VersionText(VersionService& version);

// Where the newer firewall writes its log, and where the older one does, in the
// Windows folder given.
std::string NewerFirewallLogPath(const std::string& windows_folder);
std::string EarlierFirewallLogPath(const std::string& windows_folder);

// The firewall log that Quennet reads on this host, in the Windows folder given: the
// older firewall's, or the newer one's; on 6.2 and later the older place when only it
// holds a log (a host set up the earlier way).
std::string FirewallLogPath(VersionService& version, FileService& files,
                            const std::string& windows_folder);

}  // namespace quennet::GetWindowsVersion
