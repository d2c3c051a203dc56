#include "ctl/knock_log.h"

#include <algorithm>

#include "unlock/address_literal.h"

namespace quennet {
namespace {

// The newest events are the ones that matter, and far fewer knocks than these come
// between two runs of the closing task.
constexpr int kEventsRead = 20000;

}  // namespace

KnockLog KnockStates(std::vector<LoggedEvent> events, const std::string& rule) {
  std::sort(events.begin(), events.end(), [](const LoggedEvent& a, const LoggedEvent& b) {
    return a.time != b.time ? a.time < b.time : a.record < b.record;
  });
  KnockLog log;
  for (const LoggedEvent& event : events) {
    if (event.provider != "Quennet" || (event.id != 100 && event.id != 101)) continue;
    if (event.user != kSystemSid) {
      ++log.ignored;
      continue;
    }
    if (event.rule != rule) continue;
    if (event.id == 100 && IsSenderAddress(event.address)) {
      log.addresses[event.address] = {event.time, false};
    } else if (event.id == 101 && event.address.empty()) {
      for (auto& [address, state] : log.addresses) state.closed = true;
    } else if (event.id == 101) {
      if (const auto found = log.addresses.find(event.address); found != log.addresses.end())
        found->second.closed = true;
    }
  }
  return log;
}

KnockLog ReadKnockLog(CommandRunner& runner, const std::string& rule) {
  const std::string command = EventQueryCommand(kEventsRead);
  const CommandOutput read = runner.Read(command);
  if (read.status != 0)
    throw CommandFailed("exit status " + std::to_string(read.status) + " from: " + command);
  return KnockStates(ReadEvents(read.output), rule);
}

DateTime MinutesAfter(DateTime time, int minutes) {
  return DateTime{time.seconds + std::int64_t{minutes} * 60};
}

}  // namespace quennet
