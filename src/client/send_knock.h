#pragma once

#include <ostream>

#include "client/knock_options.h"
#include "platform/network.h"

namespace quennet {

// Sends the knock to `address` (numeric text), then the nudge, with the plan's
// pauses between them, and reports each packet on `out` unless the plan is quiet.
// The first packet that cannot be sent throws NetworkError and ends the knock.
void SendKnock(const KnockPlan& plan, const std::string& address, Network& network, std::ostream& out);

}  // namespace quennet
