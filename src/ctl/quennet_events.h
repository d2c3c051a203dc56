#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/date_text.h"

namespace quennet {

// One event of the Application log as wevtutil prints it in XML, with the lines of
// Quennet's description ("Rule Name=", "IP=", "port=") taken apart.
struct LoggedEvent {
  int id = 0;
  DateTime time;  // TimeCreated, in UTC
  std::uint64_t record = 0;
  std::string provider;
  std::string user;  // the writer's SID; empty when the event names none
  std::string rule;
  std::string address;
  std::string port;
};

// The account the knock task runs as, the only writer whose events count.
inline constexpr const char* kSystemSid = "S-1-5-18";

// The wevtutil command that prints Quennet's events 100 and 101 that SYSTEM wrote,
// newest first, at most `count` of them.
std::string EventQueryCommand(int count);

// Every <Event> element of `xml` whose id and time can be read, in the order they
// stand. Attributes may be quoted either way; entities are decoded.
std::vector<LoggedEvent> ReadEvents(std::string_view xml);

// "2012-07-17T08:17:07.123Z" and the like, as wevtutil writes TimeCreated; empty when
// the text is not of that form.
std::optional<DateTime> ReadUtcTime(std::string_view text);
// "2012-07-17 08:17:07 UTC".
std::string UtcText(DateTime time);

}  // namespace quennet
