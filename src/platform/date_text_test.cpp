#include "platform/date_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quennet {
namespace {

DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return FromCivil({year, month, day, hour, minute, second});
}

void ExpectReads(const std::vector<std::pair<std::string, DateTime>>& cases) {
  for (const auto& [text, expected] : cases) {
    const auto read = ReadDate(text);
    ASSERT_TRUE(read.has_value()) << "'" << text << "'";
    EXPECT_EQ(read->seconds, expected.seconds) << "'" << text << "' read as " << GeneralDateText(*read);
  }
}

TEST(DateCalendar, CountsSecondsFromTheZeroDateBothWays) {
  EXPECT_EQ(At(1899, 12, 30).seconds, 0);
  EXPECT_EQ(At(1899, 12, 29, 23, 59, 59).seconds, -1);
  EXPECT_EQ(At(1900, 3, 1).seconds, 61 * 86400);  // 1900 is no leap year
  EXPECT_EQ(At(1970, 1, 1).seconds, 25569LL * 86400);
  EXPECT_EQ(At(2012, 7, 17, 10, 17, 7).seconds, 41107LL * 86400 + 37027);
  EXPECT_EQ(At(100, 1, 1).seconds, -657434LL * 86400);
  EXPECT_EQ(At(9999, 12, 31, 23, 59, 59).seconds, 2958466LL * 86400 - 1);

  // Every day of four centuries turns back into its own date.
  std::int64_t seconds = At(1800, 1, 1, 13, 14, 15).seconds;
  for (int day = 0; day < 146097; ++day, seconds += 86400) {
    const CivilTime civil = ToCivil({seconds});
    ASSERT_EQ(FromCivil(civil).seconds, seconds);
    ASSERT_GE(civil.day, 1);
    ASSERT_EQ(civil.hour * 3600 + civil.minute * 60 + civil.second, 13 * 3600 + 14 * 60 + 15);
  }
}

TEST(DateCalendar, MonthNamesAndDifferences) {
  EXPECT_EQ(MonthName(1), "January");
  EXPECT_EQ(MonthName(12), "December");
  EXPECT_EQ(MonthName(0), "");
  EXPECT_EQ(MonthName(13), "");
  EXPECT_EQ(SecondsBetween(At(2012, 12, 31, 23, 59, 59), At(2013, 1, 1)), 1);
  EXPECT_EQ(SecondsBetween(At(2012, 7, 17, 10, 17, 7), At(2012, 7, 17, 10, 16, 49)), -18);
}

TEST(DateReader, ReadsNumericDatesWithOrWithoutATime) {
  ExpectReads({
      {"2012-07-17 10:17:07", At(2012, 7, 17, 10, 17, 7)},
      {"2012-07-17 10:17:07 ", At(2012, 7, 17, 10, 17, 7)},
      {"  2012/7/17\t", At(2012, 7, 17)},
      {"7/17/2012", At(2012, 7, 17)},
      {"07-17-2012 9:05", At(2012, 7, 17, 9, 5)},
      {"7/17/2012 10:17:07 AM", At(2012, 7, 17, 10, 17, 7)},
      {"7/17/2012 10:17:07pm", At(2012, 7, 17, 22, 17, 7)},
      {"7/17/2012   10:17 Pm", At(2012, 7, 17, 22, 17)},
      {"1/1/0100", At(100, 1, 1)},
      {"12/31/9999 11:59:59 PM", At(9999, 12, 31, 23, 59, 59)},
  });
}

TEST(DateReader, ReadsATimeAloneOnTheZeroDate) {
  ExpectReads({
      {"10:17:07 AM", At(1899, 12, 30, 10, 17, 7)},
      {"10:17", At(1899, 12, 30, 10, 17)},
      {"23:59:59", At(1899, 12, 30, 23, 59, 59)},
      {"0:00", At(1899, 12, 30)},
      {"12:00:00 AM", At(1899, 12, 30)},
      {"12:00:00 PM", At(1899, 12, 30, 12)},
      {"12:30 am", At(1899, 12, 30, 0, 30)},
      {"12:30PM", At(1899, 12, 30, 12, 30)},
      {"1:00 PM", At(1899, 12, 30, 13)},
      {"11:59:59 PM", At(1899, 12, 30, 23, 59, 59)},
  });
}

TEST(DateReader, ReadsMonthNamesAroundTheDayAndYear) {
  ExpectReads({
      {"July 2012 17 10:17:07", At(2012, 7, 17, 10, 17, 7)},
      {"July 17, 2012", At(2012, 7, 17)},
      {"17 July 2012", At(2012, 7, 17)},
      {"Jul 17 2012 10:17:07 PM", At(2012, 7, 17, 22, 17, 7)},
      {"17-Jul-2012", At(2012, 7, 17)},
      {"2012 jUL 17", At(2012, 7, 17)},
      {"DECEMBER 5 12", At(2012, 12, 5)},   // neither looks like a year: day first
      {"5 Dec 45", At(1945, 12, 5)},        // 45 cannot be a day
      {"February 2012 29", At(2012, 2, 29)},
      {"May 1 1999", At(1999, 5, 1)},
  });
}

TEST(DateReader, TwoDigitYearsFallIn1930To2029) {
  ExpectReads({
      {"7/17/12", At(2012, 7, 17)},
      {"1/1/00", At(2000, 1, 1)},
      {"12/31/29", At(2029, 12, 31)},
      {"1/1/30", At(1930, 1, 1)},
      {"1/1/99 1:02:03", At(1999, 1, 1, 1, 2, 3)},
      {"2-29-00", At(2000, 2, 29)},
  });
}

TEST(DateReader, KnowsTheLeapDays) {
  for (const char* text : {"2012-02-29", "2000-02-29", "2/29/1600", "2012-04-30", "12/31/2012"}) {
    EXPECT_TRUE(IsDate(text)) << text;
  }
  for (const char* text : {"2011-02-29", "1900-02-29", "2/29/2100", "2012-02-30", "April 31 2012"}) {
    EXPECT_FALSE(IsDate(text)) << text;
  }
}

TEST(DateReader, RejectsTextThatIsNotExactlyOneDateAndOneTime) {
  for (const char* text : {
           "", "   ", "192.168.1.20", "10.0.0.256", "fe80::1", "2001:db8::15", "443", "1.5", "-1",
           "2012-02-30", "2012-07-17 25:00:00", "2012-13-45 25:61:61", "10:61", "13:00 PM", "0:30 AM",
           "10:17:60", "24:00", "2012-07-17 10:17:07 DROP TCP", "12-07-17 10:17:00 A", "2012-07-17T10:17:07",
           "2012-07-17 10:17:07 AM PM", "2012-07-17 2012-07-18", "10:17 11:17", "10:17 7/17/2012",
           "2012-07/17", "7 / 17 / 2012", "7 17 2012", "7/17", "July 2012", "July 17 2012 2013", "July June 2012",
           "Jul17 2012", "Juli 17 2012", "Ju 17 2012", "17.07.2012", "7/17/2012,10:17", "10:17:07.5",
           "0/17/2012", "7/0/2012", "7/17/0099", "7/17/012", "7/17/201", "201-07-17", "July 17 201", "July 17 12012", "07/017/2012", "20120-07-17", "010:17",
           "10:017", "2012-07-17 10:", "2012-07-17 10", "2012-07-17 AM", "AM", "1:2:3:4", "7/17/2012\r\n",
           "\xe9 July 17 2012", "July 17 2012 10:17:07 \xe9",
       }) {
    EXPECT_FALSE(IsDate(text)) << "'" << text << "'";
  }
}

TEST(DateReader, EndsQuicklyOnLongOrOddInput) {
  const std::vector<std::string> texts = {
      std::string(1 << 20, '7'), std::string(1 << 20, ' '), std::string(1 << 20, ':'),
      std::string(1 << 20, 'a'), std::string("1/1/2012 ") + std::string(1 << 20, '1'),
      std::string("12:00") + std::string(1 << 20, ' ') + "x", std::string("\0\0", 2)};
  for (const std::string& text : texts) EXPECT_FALSE(IsDate(text));
}

TEST(GeneralDateText, WritesShortDateAndLongTime) {
  EXPECT_EQ(GeneralDateText(At(2012, 7, 17, 10, 17, 7)), "7/17/2012 10:17:07 AM");
  EXPECT_EQ(GeneralDateText(At(2012, 12, 5, 0, 0, 1)), "12/5/2012 12:00:01 AM");
  EXPECT_EQ(GeneralDateText(At(2012, 7, 17, 12, 30)), "7/17/2012 12:30:00 PM");
  EXPECT_EQ(GeneralDateText(At(2012, 7, 17, 23, 5, 9)), "7/17/2012 11:05:09 PM");
  EXPECT_EQ(GeneralDateText(At(2012, 7, 17)), "7/17/2012");
  EXPECT_EQ(GeneralDateText(At(1899, 12, 29)), "12/29/1899");
  EXPECT_EQ(GeneralDateText(At(1899, 12, 29, 23, 59, 59)), "12/29/1899 11:59:59 PM");
  EXPECT_EQ(GeneralDateText(At(1899, 12, 31)), "12/31/1899");
  EXPECT_EQ(GeneralDateText(At(1899, 12, 30, 10, 17, 7)), "10:17:07 AM");
  EXPECT_EQ(GeneralDateText(At(1899, 12, 30, 12)), "12:00:00 PM");
  EXPECT_EQ(GeneralDateText(DateTime{0}), "12:00:00 AM");
  EXPECT_EQ(GeneralDateText(At(100, 1, 1, 1)), "1/1/0100 1:00:00 AM");
}

TEST(GeneralDateText, ReadsBackToTheSameSecond) {
  std::vector<DateTime> values = {At(1899, 12, 30), At(1899, 12, 30, 12), At(1899, 12, 30, 23, 59, 59),
                                  At(1899, 12, 29, 23, 59, 59), At(1899, 12, 31), At(100, 1, 1),
                                  At(9999, 12, 31, 23, 59, 59), At(2000, 2, 29, 12), At(2012, 7, 17, 0, 0, 1)};
  for (int year = 100; year <= 9999; year += 37) {
    for (const int hour : {0, 1, 11, 12, 13, 23}) values.push_back(At(year, 1 + year % 12, 1 + year % 28, hour, 0, 0));
  }
  // A fixed pseudo-random walk over the whole range, to reach odd days and seconds.
  const std::int64_t first = At(100, 1, 1).seconds;
  const std::int64_t span = At(9999, 12, 31, 23, 59, 59).seconds - first + 1;
  std::uint64_t state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    values.push_back({first + static_cast<std::int64_t>((state >> 11) % static_cast<std::uint64_t>(span))});
  }
  for (const DateTime value : values) {
    const std::string text = GeneralDateText(value);
    const auto read = ReadDate(text);
    ASSERT_TRUE(read.has_value()) << text;
    ASSERT_EQ(read->seconds, value.seconds) << text;
  }
}

}  // namespace
}  // namespace quennet
