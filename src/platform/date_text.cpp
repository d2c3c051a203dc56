// Placeholder until the date reader lands.
#include "platform/date_text.h"

namespace quennet {

DateTime FromCivil(const CivilTime&) { return {}; }
CivilTime ToCivil(DateTime) { return {}; }
std::optional<DateTime> ReadDate(std::string_view) { return std::nullopt; }
bool IsDate(std::string_view text) { return ReadDate(text).has_value(); }
std::string GeneralDateText(DateTime) { return ""; }
std::string MonthName(int) { return ""; }
std::int64_t SecondsBetween(DateTime earlier, DateTime later) { return later.seconds - earlier.seconds; }

}  // namespace quennet
