// Calendar arithmetic and the general date text. The reader is in date_reader.cpp.
#include "text/date_text.h"

#include <array>

namespace quennet {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// Days from 1970-01-01 to a proleptic Gregorian date, counted in 400-year eras
// that start on 1 March so that the leap day ends each year.
constexpr std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
  year -= month <= 2;
  const std::int64_t era = FloorDiv(year, 400);
  const std::int64_t year_of_era = year - era * 400;
  const std::int64_t day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const std::int64_t day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

constexpr std::int64_t kZeroDateDays = DaysFromCivil(1899, 12, 30);

// The inverse of DaysFromCivil, written into the date fields of `civil`.
void SetCivilDate(std::int64_t days, CivilTime& civil) {
  const std::int64_t shifted = days + 719468;
  const std::int64_t era = FloorDiv(shifted, 146097);
  const std::int64_t day_of_era = shifted - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t shifted_month = (5 * day_of_year + 2) / 153;
  civil.day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
  civil.month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
  civil.year = static_cast<int>(year_of_era + era * 400 + (civil.month <= 2));
}

std::string ZeroPadded(int number, std::size_t width) {
  std::string text = std::to_string(number);
  if (number >= 0 && text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

// M/D/YYYY
std::string ShortDateText(const CivilTime& civil) {
  return std::to_string(civil.month) + "/" + std::to_string(civil.day) + "/" +
         ZeroPadded(civil.year, 4);
}

// h:mm:ss AM
std::string LongTimeText(const CivilTime& civil) {
  const int hour12 = civil.hour % 12 == 0 ? 12 : civil.hour % 12;
  return std::to_string(hour12) + ":" + ZeroPadded(civil.minute, 2) + ":" +
         ZeroPadded(civil.second, 2) + (civil.hour < 12 ? " AM" : " PM");
}

}  // namespace

DateTime FromCivil(const CivilTime& civil) {
  const std::int64_t days = DaysFromCivil(civil.year, civil.month, civil.day) - kZeroDateDays;
  return {days * kSecondsPerDay + std::int64_t{civil.hour} * 3600 +
          std::int64_t{civil.minute} * 60 + civil.second};
}

CivilTime ToCivil(DateTime value) {
  const std::int64_t days = FloorDiv(value.seconds, kSecondsPerDay);
  const std::int64_t seconds_of_day = value.seconds - days * kSecondsPerDay;
  CivilTime civil;
  SetCivilDate(days + kZeroDateDays, civil);
  civil.hour = static_cast<int>(seconds_of_day / 3600);
  civil.minute = static_cast<int>(seconds_of_day / 60 % 60);
  civil.second = static_cast<int>(seconds_of_day % 60);
  return civil;
}

std::string GeneralDateText(DateTime value) {
  const CivilTime civil = ToCivil(value);
  if (value.seconds >= 0 && value.seconds < kSecondsPerDay) return LongTimeText(civil);
  if (civil.hour == 0 && civil.minute == 0 && civil.second == 0) return ShortDateText(civil);
  return ShortDateText(civil) + " " + LongTimeText(civil);
}

std::string MonthName(int month) {
  static constexpr std::array<const char*, 12> kNames = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  if (month < 1 || month > 12) return "";
  return kNames[static_cast<std::size_t>(month - 1)];
}

std::int64_t SecondsBetween(DateTime earlier, DateTime later) {
  return later.seconds - earlier.seconds;
}

}  // namespace quennet
