#pragma once

#include <string>

#include "platform/host.h"
#include "shared/form_state.h"

namespace quennet {

// Copies the live firewall log onto the snapshot, then waits, in pauses of 5000 ms
// with a fresh copy after each, until the snapshot's newest time stamp reaches
// strDateTime or 30 seconds have passed. A snapshot text without any time stamp
// has not caught up yet, except an empty one when empty_means_caught_up.
// Returns false, without waiting, when there is no snapshot at all.
bool WaitForLog(Host& host, const FormState& form, const std::string& strDateTime, bool empty_means_caught_up);

}  // namespace quennet
