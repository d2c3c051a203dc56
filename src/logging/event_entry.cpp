#include "logging/event_entry.h"

namespace quennet {

std::string EventCommandLine(std::int16_t ID, const std::string& EventType,
                             const std::string& Message) {
  return "EVENTCREATE /L APPLICATION /SO Quennet /ID " + std::to_string(ID) + " /T " + EventType +
         " /D \"" + Message + "\"";
}

void LogEvent(Host& host, std::int16_t ID, const std::string& EventType,
              const std::string& Message) {
  host.shell.Exec(EventCommandLine(ID, EventType, Message));
}

}  // namespace quennet
