#pragma once

#include <string>

#include "app/form_state.h"
#include "platform/host.h"

namespace quennet {

// The source address of the last entry in the firewall log snapshot that carries
// form.FirewallActionText and strPortNumber inside the intTimePeriod seconds that end
// at strDateTime; empty when there is none.
std::string Check_Firewall_Log(Host& host, const FormState& form, const std::string& strDateTime,
                               const std::string& intTimePeriod, const std::string& strPortNumber);

}  // namespace quennet
