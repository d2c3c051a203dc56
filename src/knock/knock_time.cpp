#include "knock/knock_time.h"

#include <cmath>

#include "fwlog/line_fields.h"
#include "logging/log_files.h"
#include "text/date_text.h"
#include "text/number_text.h"

namespace quennet {

std::optional<std::int64_t> SecondsFromTo(const std::string& from, const std::string& to) {
  const std::optional<DateTime> earlier = ReadDate(from);
  const std::optional<DateTime> later = ReadDate(to);
  if (!earlier || !later) return std::nullopt;
  return SecondsBetween(*earlier, *later);
}

std::optional<std::int64_t> TracedEntryAge(Host& host, std::int16_t DebugEnabled,
                                           std::string_view line, const std::string& action,
                                           const std::string& strDateTime) {
  const std::string time_text(LineTimeText(line, action));
  DebugLog(host, DebugEnabled, [&] {
    return NowText(host.clock) + "  -  Firewall log entry time stamp = " + time_text;
  });
  DebugLog(host, DebugEnabled, [&] {
    return NowText(host.clock) + "  -  Time stamp needing matched is " + strDateTime;
  });
  return SecondsFromTo(time_text, strDateTime);
}

bool InWindow(std::int64_t d, const std::string& intTimePeriod, std::int64_t lower_bound) {
  const std::optional<double> period = ReadNumber(intTimePeriod);
  return period && static_cast<double>(d) < std::floor(*period) && d > lower_bound;
}

}  // namespace quennet
