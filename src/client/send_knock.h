#pragma once

#include <cstdint>
#include <ostream>

#include "plan/knock_plan.h"
#include "platform/clock.h"
#include "platform/network.h"

namespace quennet {

// Sends the knock to `address` (numeric text), then the nudge, with the plan's
// pauses between them taken on `clock`, and reports each packet on `out` unless the
// plan is quiet. Returns the clock's elapsed time when the last knock packet went
// out. The first packet that cannot be sent throws RuntimeError and ends the knock.
std::int64_t SendKnock(const KnockPlan& plan, const std::string& address, Network& network,
                       Clock& clock, std::ostream& out);

// Tries a connection to plan.open_port every half second until one is accepted or
// plan.open_timeout_s have passed since `knocked` (the elapsed time SendKnock gave),
// and says which on `out` unless the plan is quiet: "port 3389 open after 6.2 s",
// or "port 3389 still closed after 30 s". True when it opened.
bool WaitForOpenPort(const KnockPlan& plan, const std::string& address, Network& network,
                     Clock& clock, std::int64_t knocked, std::ostream& out);

}  // namespace quennet
