#pragma once

#include "app/form_state.h"
#include "platform/host.h"

namespace quennet {

// FirewallLogPath from WindowsFolder: under system32 on hosts of the newer firewall,
// in the Windows folder itself on older ones.
void SetFirewallLogPathVariable(Host& host, FormState& form);

// Makes "\Tolvaren" and "\Tolvaren\Quennet" under AppDataFolder when missing. A
// folder that cannot be made throws RuntimeError.
void CreateAppDirectories(Host& host, const FormState& form);

}  // namespace quennet
