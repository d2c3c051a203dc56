#pragma once

#include "platform/host.h"
#include "shared/form_state.h"

namespace quennet {

// The shared application-data folder that the registry names ("Common AppData");
// empty when it names none.
std::string CommonAppDataFolder(Host& host);

// FirewallLogPath from WindowsFolder: under system32 on hosts of the newer firewall,
// in the Windows folder itself on older ones (see GetWindowsVersion::FirewallLogPath).
void SetFirewallLogPathVariable(Host& host, FormState& form);

// Makes "\Tolvaren" and "\Tolvaren\Quennet" under AppDataFolder folders that only
// the trusted can write into (see MakeTrustedFolder). A folder that cannot be made or
// trusted throws RuntimeError.
void CreateAppDirectories(Host& host, const FormState& form);

}  // namespace quennet
