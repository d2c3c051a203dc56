#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/host.h"

namespace quennet {

// The seconds from the date-time text `from` to `to` (positive when `to` is later);
// nothing when either does not read as a date.
std::optional<std::int64_t> SecondsFromTo(const std::string& from, const std::string& to);

// The seconds from the time stamp of a log entry (the line before `action`) to
// strDateTime, after the two trace lines that show both; nothing when the stamp does
// not read as a date.
std::optional<std::int64_t> TracedEntryAge(Host& host, std::int16_t DebugEnabled,
                                           std::string_view line, const std::string& action,
                                           const std::string& strDateTime);

// Whether an entry d seconds before the reference time lies in the window of
// intTimePeriod seconds (its whole part) that ends at the reference time; d must also
// be greater than lower_bound. A period that is not a number lets nothing in.
bool InWindow(std::int64_t d, const std::string& intTimePeriod, std::int64_t lower_bound);

}  // namespace quennet
