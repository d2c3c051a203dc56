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

}  // namespace quennet::GetWindowsVersion
