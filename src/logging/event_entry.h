#pragma once

#include <cstdint>
#include <string>

#include "platform/host.h"

namespace quennet {

// The EVENTCREATE command line that adds an entry of source "Quennet" to the
// Application event log.
std::string EventCommandLine(std::int16_t ID, const std::string& EventType,
                             const std::string& Message);

// Starts that command. Not waited for; a command that cannot be started throws
// RuntimeError.
void LogEvent(Host& host, std::int16_t ID, const std::string& EventType,
              const std::string& Message);

}  // namespace quennet
