// The log's time stamps on any text: the first byte places the month for
// ReturnDateWithMonthName (-1 to 4, so the refused places are tried too), and the
// whole text is searched for its last firewall stamp.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "fwlog/time_stamps.h"
#include "platform/fake/fake_clock.h"
#include "text/date_text.h"

namespace {

constexpr std::string_view kSample = "2012-07-17 10:17:07";

void CheckMonthName(std::string_view text, int location) {
  const std::string named = quennet::ReturnDateWithMonthName(text, location);
  if (named.empty()) return;
  quennet::fuzz::Check(location >= 1 && location <= 3, "only locations 1 to 3 give a date");
  const std::string month = named.substr(0, named.find(' '));
  bool is_month = false;
  for (int m = 1; m <= 12; ++m) is_month = is_month || month == quennet::MonthName(m);
  quennet::fuzz::Check(is_month, "the result begins with a month name");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  CheckMonthName(text, data[0] % 6 - 1);
  quennet::FakeClock clock;
  const std::string stamp =
      quennet::ReturnLastDateStamp(clock, text, static_cast<int>(kSample.size()), kSample);
  quennet::fuzz::Check(stamp.empty() || quennet::ReadDate(stamp).has_value(), "a stamp reads back as a date");
  return 0;
}
