// The date, number and time-stamp readers on any text: every date they accept is
// written back as general date text that reads as the same second, the tests agree
// with the readers, and the log's newest stamp reads as a date. The first byte places
// the month for ReturnDateWithMonthName (-1 to 4, so the refused places are tried too),
// which only has to end well.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "fwlog/time_stamps.h"
#include "platform/fake/fake_clock.h"
#include "text/date_text.h"
#include "text/number_text.h"

namespace {

using quennet::fuzz::Check;

void CheckDate(std::string_view text) {
  const auto date = quennet::ReadDate(text);
  Check(quennet::IsDate(text) == date.has_value(), "IsDate agrees with ReadDate");
  if (!date) return;
  const int year = quennet::ToCivil(*date).year;
  if (year < 100 || year > 9999) return;
  Check(quennet::ReadDate(quennet::GeneralDateText(*date)) == date,
        "general date text reads back as the same second");
}

void CheckNumber(std::string_view text) {
  const auto number = quennet::ReadNumber(text);
  Check(quennet::IsNumeric(text) == number.has_value(), "IsNumeric agrees with ReadNumber");
  Check(!number || std::isfinite(*number), "a number is finite");
}

void CheckStamps(std::string_view text, int location) {
  quennet::ReturnDateWithMonthName(text, location);
  constexpr std::string_view kSample = "2012-07-17 10:17:07";
  quennet::FakeClock clock;
  const std::string stamp =
      quennet::ReturnLastDateStamp(clock, text, static_cast<int>(kSample.size()), kSample);
  Check(stamp.empty() || quennet::ReadDate(stamp).has_value(), "a stamp reads back as a date");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckDate(text);
  CheckNumber(text);
  if (size > 0) CheckStamps(text.substr(1), data[0] % 6 - 1);
  return 0;
}
