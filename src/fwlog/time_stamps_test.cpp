#include "fwlog/time_stamps.h"

#include <gtest/gtest.h>

#include "platform/date_text.h"
#include "platform/fake/fake_clock.h"

namespace quennet {
namespace {

constexpr char kSample[] = "2012-07-17 10:17:07";

std::string LastStamp(FakeClock& clock, std::string_view text) {
  return ReturnLastDateStamp(clock, text, 19, kSample);
}

TEST(ReturnLastDateStamp, FindsTheStampOfTheLastLine) {
  const std::string text =
      "#Version: 1.5\r\n"
      "#Fields: date time action protocol src-ip dst-ip src-port dst-port size\r\n"
      "2012-07-17 10:16:49 DROP TCP 203.0.113.45 192.0.2.20 51234 701 52 S 1 0 8192 - - - RECEIVE\r\n"
      "2012-07-17 10:17:07 DROP TCP 203.0.113.45 192.0.2.20 51234 703 52 S 1 0 8192 - - - RECEIVE\r\n";
  FakeClock clock;
  EXPECT_EQ(LastStamp(clock, text), "7/17/2012 10:17:07 AM");
  // One yield for every window passed over on the way back to the stamp.
  EXPECT_EQ(clock.events, static_cast<int>(text.size() - 19 - 2 - text.rfind("2012-07-17 10:17:07")));
}

TEST(ReturnLastDateStamp, NeverExaminesTheLastTwoCharacters) {
  FakeClock clock;
  EXPECT_EQ(LastStamp(clock, "2012-07-17 10:17:07\r\n"), "7/17/2012 10:17:07 AM");
  EXPECT_EQ(LastStamp(clock, "2012-07-17 10:17:07\n"), "");
  EXPECT_EQ(LastStamp(clock, "2012-07-16 09:00:00 A\r\n2012-07-17 10:17:07"), "7/16/2012 9:00:00 AM");
  EXPECT_EQ(LastStamp(clock, "2012-07-17 10:17:07"), "");
}

TEST(ReturnLastDateStamp, TakesAnyOtherCharacterWhereTheSampleHasOne) {
  FakeClock clock;
  EXPECT_EQ(LastStamp(clock, "x 2012/07/17 10:17:07\r\n"), "7/17/2012 10:17:07 AM");
}

TEST(ReturnLastDateStamp, PassesOverDatesOfAnotherShape) {
  ASSERT_TRUE(IsDate("17 Jul 2012 10:17:0"));
  FakeClock clock;
  EXPECT_EQ(LastStamp(clock, "2012-07-16 09:00:00 A\r\n17 Jul 2012 10:17:0\r\n"), "7/16/2012 9:00:00 AM");
  EXPECT_EQ(LastStamp(clock, "17 Jul 2012 10:17:0\r\n"), "");
}

TEST(ReturnLastDateStamp, GivesNothingWithoutAStamp) {
  FakeClock clock;
  for (const char* text : {"", "x", "2012-07-17 10:17:0\r\n"}) {
    EXPECT_EQ(LastStamp(clock, text), "") << text;
  }
  EXPECT_EQ(clock.events, 0) << "too short for any window";

  const std::string no_stamp(100, '7');
  EXPECT_EQ(LastStamp(clock, no_stamp), "");
  EXPECT_EQ(clock.events, 100 - 19 - 1);

  EXPECT_EQ(LastStamp(clock, "2012-13-17 10:17:07\r\n"), "");
  EXPECT_EQ(ReturnLastDateStamp(clock, "2012-07-17 10:17:07\r\n", 19, "2012-07-17 10:17"), "")
      << "a sample of another length has another shape";
  EXPECT_EQ(ReturnLastDateStamp(clock, "2012-07-17 10:17:07\r\n", 0, ""), "");
}

TEST(IsAlphabetic, AcceptsOnlyTheLettersAToZInEitherCase) {
  for (const char* text : {"", "a", "Z", "Quennet"}) EXPECT_TRUE(IsAlphabetic(text)) << text;
  for (const char* text : {"1", " ", "-", "\xC3\xA9", "\xE9", "ab1"}) EXPECT_FALSE(IsAlphabetic(text)) << text;
}

TEST(ReturnDateWithMonthName, WritesTheMonthPartByName) {
  EXPECT_EQ(ReturnDateWithMonthName("2012-07-17 10:17:07", 2), "July 2012 17 10:17:07");
  EXPECT_EQ(ReturnDateWithMonthName("07/17/2012", 1), "July 17 2012");
  EXPECT_EQ(ReturnDateWithMonthName("2012/17/12", 3), "December 2012 17");
  EXPECT_EQ(ReturnDateWithMonthName("2012-07-17-99", 2), "July 2012 17");
  for (const int location : {0, 4, -1}) EXPECT_EQ(ReturnDateWithMonthName("07/07/07", location), "") << location;
}

TEST(ReturnDateWithMonthName, KeepsEveryOtherPieceAsTheTime) {
  EXPECT_EQ(ReturnDateWithMonthName("2012-07-17 10:17:07 PM", 2), "July 2012 17 10:17:07 PM");
  EXPECT_EQ(ReturnDateWithMonthName("10:17:07 2012-07-17", 2), "July 2012 17 10:17:07");
  EXPECT_EQ(ReturnDateWithMonthName("2012-07-17  10:17:07", 2), "July 2012 17  10:17:07");
  EXPECT_EQ(ReturnDateWithMonthName("2012-07-17 ", 2), "July 2012 17 ");
  EXPECT_EQ(ReturnDateWithMonthName("1/2/3 2012-07-17", 2), "July 2012 17") << "the later date piece wins";
}

TEST(ReturnDateWithMonthName, GivesNothingForWhatIsNoDate) {
  for (const char* text : {"2012-07", "20120717", "", "10:17:07 PM", "2012-13-17", "2012-x7-17", "2012--17",
                           "2012-+7-17"}) {
    EXPECT_EQ(ReturnDateWithMonthName(text, 2), "") << text;
  }
}

}  // namespace
}  // namespace quennet
