#pragma once

#include <string>

#include "platform/host.h"
#include "shared/form_state.h"

namespace quennet {

// The source address of the last entry in the firewall log snapshot that carries
// form.FirewallActionText and strPortNumber inside the intTimePeriod seconds that end
// at strDateTime; empty when there is none.
std::string Check_Firewall_Log(Host& host, const FormState& form, const std::string& strDateTime,
                               const std::string& intTimePeriod, const std::string& strPortNumber);

}  // namespace quennet
