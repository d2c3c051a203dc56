// The date and number readers on any text: every date they accept is written back as
// general date text that reads as the same second, and the tests agree with the readers.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "text/date_text.h"
#include "text/number_text.h"

namespace {

void CheckDate(std::string_view text) {
  const auto date = quennet::ReadDate(text);
  quennet::fuzz::Check(quennet::IsDate(text) == date.has_value(), "IsDate agrees with ReadDate");
  if (!date) return;
  const int year = quennet::ToCivil(*date).year;
  if (year < 100 || year > 9999) return;
  const auto again = quennet::ReadDate(quennet::GeneralDateText(*date));
  quennet::fuzz::Check(again == date, "general date text reads back as the same second");
}

void CheckNumber(std::string_view text) {
  const auto number = quennet::ReadNumber(text);
  quennet::fuzz::Check(quennet::IsNumeric(text) == number.has_value(), "IsNumeric agrees with ReadNumber");
  quennet::fuzz::Check(!number || std::isfinite(*number), "a number is finite");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckDate(text);
  CheckNumber(text);
  return 0;
}
