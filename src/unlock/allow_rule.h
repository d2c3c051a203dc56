#pragma once

#include <string>

#include "platform/host.h"

namespace quennet {

// Starts the netsh command that lets strFremoteIP reach TCP port strFportNumber,
// under the rule name strPruleName, in the syntax of the host's firewall. Not waited
// for; a command that cannot be started throws RuntimeError.
void Unlock_Port(Host& host, const std::string& strPruleName, const std::string& strFportNumber,
                 const std::string& strFremoteIP);

// The netsh command line that removes what Unlock_Port added, in the same syntax: on
// the newer firewall every rule named `rule` (duplicates too), on the older one the
// port opening of TCP `port`.
std::string DeleteRuleCommandLine(VersionService& version, const std::string& rule,
                                  const std::string& port);

}  // namespace quennet
