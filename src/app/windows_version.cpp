// Placeholder until the version table lands.
#include "app/windows_version.h"

namespace quennet::GetWindowsVersion {

std::string WindowsVersionName(VersionService&) { return "Failed"; }
bool IsNewerFirewallHost(VersionService& version) { return WindowsVersionName(version) == "Failed"; }

}  // namespace quennet::GetWindowsVersion
