#pragma once

#include <string>
#include <vector>

#include "platform/host.h"

namespace quennet {

// The Windows folder of this host (%windir%).
std::string WindowsFolder(Host& host);

// The commands that make the host record what the knock task starts on: the audit
// of dropped packets (event 5152), and the firewall log of dropped packets, at its
// usual place and largest size. On hosts that report 6.2 or later, where Quennet
// reads %windir%\pfirewall.log, that name becomes a link to the log.
std::vector<std::string> HostSetupCommands(Host& host);

// What uninstall leaves as it is, and the commands that revert it.
std::string SettingsLeftNote(Host& host);

}  // namespace quennet
