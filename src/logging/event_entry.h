#pragma once

#include <cstdint>
#include <string>

#include "platform/host.h"

namespace quennet {

// Starts EVENTCREATE to add an entry of source "Quennet" to the Application event
// log. Not waited for; a command that cannot be started throws RuntimeError.
void LogEvent(Host& host, std::int16_t ID, const std::string& EventType, const std::string& Message);

}  // namespace quennet
