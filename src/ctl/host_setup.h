#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"

namespace quennet {

// The Windows folder of this host (%windir%).
std::string WindowsFolder(Host& host);

// The commands that make the host record what the knock task starts on: the audit
// of dropped packets (event 5152), and the firewall log of dropped packets, at its
// usual place and largest size.
std::vector<std::string> HostSetupCommands(Host& host);

// Removes %windir%\pfirewall.log when it is a symbolic link to the firewall log at
// its usual place, as earlier installs made it on Windows 8 and later; gives its path
// when it did. Anything else there stays. Throws RuntimeError.
std::optional<std::string> RemoveEarlierLogLink(Host& host);

// What uninstall leaves as it is, and the commands that revert it.
std::string SettingsLeftNote();

}  // namespace quennet
