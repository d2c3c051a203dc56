#include "logging/event_entry.h"

namespace quennet {

void LogEvent(Host& host, std::int16_t ID, const std::string& EventType, const std::string& Message) {
  host.shell.Exec("EVENTCREATE /L APPLICATION /SO Quennet /ID " + std::to_string(ID) + " /T " + EventType +
                  " /D \"" + Message + "\"");
}

}  // namespace quennet
