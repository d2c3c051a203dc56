#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quennet {

// The seconds from the date-time text `from` to `to` (positive when `to` is later);
// nothing when either does not read as a date.
std::optional<std::int64_t> SecondsFromTo(const std::string& from, const std::string& to);

// Whether an entry d seconds before the reference time lies in the window of
// intTimePeriod seconds (its whole part) that ends at the reference time; entries up
// to -lowest_after seconds after it count too. A period that is not a number lets
// nothing in.
bool InWindow(std::int64_t d, const std::string& intTimePeriod, std::int64_t lowest_after);

}  // namespace quennet
