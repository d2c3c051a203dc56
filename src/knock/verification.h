#pragma once

#include <string>

#include "platform/host.h"
#include "shared/form_state.h"

namespace quennet {

// True when strSourceIPaddress hit every port of strPortNumber, in list order, each
// with the action of strCorrelation_FWAction at the same position, inside the
// window around strDateTime. Leaves form.FirewallActionText holding the last action
// text it looked for. With knock_lines, also gives the lines of the newest such knock
// in the snapshot, each with a LF after it, which tell one knock from another.
bool Check_Port_Knock(Host& host, FormState& form, const std::string& strDateTime,
                      const std::string& intTimePeriod, const std::string& strPortNumber,
                      const std::string& strCorrelation_FWAction,
                      const std::string& strSourceIPaddress, std::string* knock_lines = nullptr);

}  // namespace quennet
