#include "knock/knock_time.h"

#include <cmath>

#include "platform/date_text.h"
#include "platform/number_text.h"

namespace quennet {

std::optional<std::int64_t> SecondsFromTo(const std::string& from, const std::string& to) {
  const std::optional<DateTime> earlier = ReadDate(from);
  const std::optional<DateTime> later = ReadDate(to);
  if (!earlier || !later) return std::nullopt;
  return SecondsBetween(*earlier, *later);
}

bool InWindow(std::int64_t d, const std::string& intTimePeriod, std::int64_t lowest_after) {
  const std::optional<double> period = ReadNumber(intTimePeriod);
  return period && static_cast<double>(d) < std::floor(*period) && d > lowest_after;
}

}  // namespace quennet
