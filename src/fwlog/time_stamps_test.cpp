#include "fwlog/time_stamps.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/fake/fake_clock.h"
#include "text/date_text.h"

namespace quennet {
namespace {

std::string LastStamp(FakeClock& clock, std::string_view text) {
  return ReturnLastDateStamp(clock, text, 19, "2012-07-17 10:17:07");
}

TEST(ReturnLastDateStamp, FindsTheLastWindowOfTheSampleShapeAndYieldsOncePerWindowsPerEvent) {
  const std::string text =
      "#Fields: date time action protocol src-ip dst-ip src-port dst-port size\r\n"
      "2012-07-17 10:16:49 DROP TCP 203.0.113.45 192.0.2.20 51234 701 52 S 1 0 8192 - - - "
      "RECEIVE\r\n"
      "2012-07-17 10:17:07 DROP TCP 203.0.113.45 192.0.2.20 51234 703 52 S 1 0 8192 - - - "
      "RECEIVE\r\n";
  FakeClock clock;
  EXPECT_EQ(LastStamp(clock, text), "7/17/2012 10:17:07 AM");
  // Not in the last two characters; a date of another shape does not count, though it reads well.
  EXPECT_EQ(LastStamp(clock, "2012-07-16 09:00:00 A\r\n2012-07-17 10:17 AM\r\n2012-07-17 10:17:07"),
            "7/16/2012 9:00:00 AM");
  EXPECT_EQ(LastStamp(clock, "x 2012/07/17 10:17:07\r\n"), "7/17/2012 10:17:07 AM");
  EXPECT_EQ(LastStamp(clock, "2012-07-17 10:17:07\n") + LastStamp(clock, "2012-13-17 10:17:07\r\n"),
            "");
  const std::size_t windows = 3 * kWindowsPerEvent;
  for (const std::size_t passed : {windows - 1, windows, windows + 1}) {
    FakeClock counted;
    EXPECT_EQ(LastStamp(counted, "2012-07-17 10:17:07" + std::string(passed, '7') + "\r\n"),
              "7/17/2012 10:17:07 AM");
    EXPECT_EQ(counted.events, static_cast<int>(passed / kWindowsPerEvent)) << passed;
  }
}

TEST(ReturnDateWithMonthName, NamesTheMonthAndKeepsEveryOtherPieceAsTheTime) {
  const std::pair<const char*, int> bad[] = {{"07/07/07", 0}, {"07/07/07", 4},  {"2012-07", 2},
                                             {"20120717", 2}, {"2012-13-1", 2}, {"2012-+7-1", 2}};
  for (const auto& [text, location] : bad)
    EXPECT_EQ(ReturnDateWithMonthName(text, location), "") << text;
  EXPECT_EQ(ReturnDateWithMonthName("07/17/2012", 1), "July 17 2012");
  EXPECT_EQ(ReturnDateWithMonthName("2012/17/12/99", 3), "December 2012 17");
  EXPECT_EQ(ReturnDateWithMonthName("10:17:07 1/2/3  2012-07-17", 2), "July 2012 17 10:17:07 ");
}

}  // namespace
}  // namespace quennet
