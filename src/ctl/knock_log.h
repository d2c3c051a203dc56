#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "ctl/command_runner.h"
#include "ctl/quennet_events.h"

namespace quennet {

// What the event log says of one address: its latest verified knock on the rule
// (event 100), and whether an event 101 closed it since.
struct KnockState {
  DateTime opened;
  bool closed = false;
};

struct KnockLog {
  std::map<std::string, KnockState> addresses;
  // Quennet's events that another account than SYSTEM wrote: never trusted.
  std::size_t ignored = 0;
};

// The state of `rule` from these events, whatever their order. Only events of the
// provider Quennet that SYSTEM wrote count; a 101 without an address ("quennetctl
// close") closes every address.
KnockLog KnockStates(std::vector<LoggedEvent> events, const std::string& rule);

// The same from the Application log, through wevtutil. A wevtutil that fails throws
// CommandFailed.
KnockLog ReadKnockLog(CommandRunner& runner, const std::string& rule);

// The time `minutes` after `time`.
DateTime MinutesAfter(DateTime time, int minutes);

}  // namespace quennet
