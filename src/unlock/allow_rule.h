#pragma once

#include <string>

#include "platform/host.h"

namespace quennet {

// Starts the netsh command that lets strFremoteIP reach TCP port strFportNumber,
// under the rule name strPruleName, in the syntax of the host's firewall. Not waited
// for; a command that cannot be started throws RuntimeError.
void Unlock_Port(Host& host, const std::string& strPruleName, const std::string& strFportNumber,
                 const std::string& strFremoteIP);

}  // namespace quennet
