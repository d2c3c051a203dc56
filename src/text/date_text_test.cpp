#include "text/date_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "text/text_split.h"

namespace quennet {
namespace {

DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return FromCivil({year, month, day, hour, minute, second});
}

TEST(DateReader, ReadsDatesTimesAndMonthNamesInAnyOfTheirForms) {
  // The general date text itself is read back in the round trip below.
  const std::pair<const char*, DateTime> cases[] = {
      {" 2012-07-17 10:17:07 ", At(2012, 7, 17, 10, 17, 7)},
      {"07-17-2012 9:05", At(2012, 7, 17, 9, 5)},
      {"7/17/2012   10:17:07pm", At(2012, 7, 17, 22, 17, 7)},
      // A time alone falls on the zero date.
      {"12:30PM", At(1899, 12, 30, 12, 30)},
      {"July 2012 17 10:17:07", At(2012, 7, 17, 10, 17, 7)},
      {"July 17, 2012", At(2012, 7, 17)},
      {"DECEMBER 5 12", At(2012, 12, 5)},  // neither looks like a year: the day comes first
      {"Dec 32 5", At(1932, 12, 5)},
      {"Dec 31 5", At(2005, 12, 31)},  // 32 cannot be a day, 31 can
      // Two-digit years fall in 1930 to 2029.
      {"12/31/29", At(2029, 12, 31)},
      {"1/1/30", At(1930, 1, 1)},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(ReadDate(text), expected) << "'" << text << "'";
}

TEST(DateReader, RejectsTextThatIsNotExactlyOneDateAndOneTime) {
  // Separated by "|"; the first is the empty text.
  const std::string texts =
      "|192.168.1.20|2001:db8::15|443|1.5|2011-02-29|1900-02-29|2/29/2100|April 31 2012|"
      "2012-07-17 25:00:00|10:61|10:17:60|24:00|13:00 PM|0:30 AM|2012-07-17T10:17:07|"
      "2012-07-17 10:17:07 DROP TCP|2012-07-17 10:17:07 AM PM|2012-07-17 2012-07-18|"
      "10:17 7/17/2012|2012-07/17|7 17 2012|7/17|Juli 17 2012|Jul17 2012|17.07.2012|7/17/0099|"
      "7/17/012|07/017/2012|010:17|2012-07-17 10:|7/17/2012\r\n|\xe9 July 17 2012";
  for (const std::string& text : SplitAll(texts, '|')) EXPECT_FALSE(IsDate(text)) << "'" << text;
  const std::string cut = std::string("7/17/2012\0", 10), long_one = std::string(1 << 20, '7');
  EXPECT_FALSE(IsDate(cut) || IsDate(long_one) || IsDate("1/1/2012 " + long_one));
}

TEST(GeneralDateText, WritesTheDateAloneAtMidnightAndTheTimeAloneOnTheZeroDateAndReadsBack) {
  const std::pair<DateTime, const char*> cases[] = {
      {At(2012, 7, 17, 10, 17, 7), "7/17/2012 10:17:07 AM"},
      {At(2012, 7, 17, 23, 5, 9), "7/17/2012 11:05:09 PM"},
      {At(2000, 2, 29), "2/29/2000"},
      {At(1899, 12, 29, 23, 59, 59), "12/29/1899 11:59:59 PM"},
      {At(1899, 12, 30, 12), "12:00:00 PM"},
      {DateTime{0}, "12:00:00 AM"},
      {At(100, 1, 1, 1), "1/1/0100 1:00:00 AM"},
      {At(9999, 12, 31, 23, 59, 59), "12/31/9999 11:59:59 PM"}};
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(GeneralDateText(value), text);
    EXPECT_EQ(ReadDate(text), value) << text;  // reads back as the same second
  }
}

}  // namespace
}  // namespace quennet
