#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quennet {

// A local wall-clock date and time, in whole seconds since 12/30/1899 00:00:00 (the
// zero date). No time zone: differences are taken on the wall-clock values.
struct DateTime {
  std::int64_t seconds = 0;
  auto operator<=>(const DateTime&) const = default;
};

struct CivilTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

DateTime FromCivil(const CivilTime& civil);
CivilTime ToCivil(DateTime value);

// The date reader of an en-US host: firewall stamps (2012-07-17 10:17:07), ISO and
// US dates, a time alone (on the zero date), month-name forms and the general date
// text. Blanks around the text are ignored. Empty when the text is not a date.
std::optional<DateTime> ReadDate(std::string_view text);
bool IsDate(std::string_view text);

// "M/D/YYYY h:mm:ss AM"; a time of exactly midnight gives the date alone and a
// value on the zero date gives the time alone. Always reads back to the same second.
std::string GeneralDateText(DateTime value);

// The full English name of a month 1 to 12; empty for any other number.
std::string MonthName(int month);

// `later` minus `earlier`, in whole seconds.
std::int64_t SecondsBetween(DateTime earlier, DateTime later);

}  // namespace quennet
