#include "fwlog/line_fields.h"

#include <gtest/gtest.h>

namespace quennet {
namespace {

constexpr std::string_view kRecord =
    "2012-07-17 10:17:07 DROP TCP 192.0.2.10 192.0.2.20 51234 7000 52 S 1234567 0 8192 - - - RECEIVE";

TEST(LineFields, ReadTheExampleRecord) {
  EXPECT_TRUE(HasActionText(kRecord, "DROP TCP"));
  EXPECT_EQ(LineTimeText(kRecord, "DROP TCP"), "2012-07-17 10:17:07 ");
  EXPECT_EQ(SourceAddress(kRecord, "DROP TCP"), "192.0.2.10");
  EXPECT_TRUE(HasPort(kRecord, "7000"));
  EXPECT_TRUE(HasPort(kRecord, "51234"));
  EXPECT_TRUE(HasPort(kRecord, "52"));
}

TEST(LineFields, MatchOnlyTheExactTextAndWholeFields) {
  EXPECT_FALSE(HasActionText(kRecord, "DROP UDP"));
  EXPECT_FALSE(HasActionText(kRecord, "drop tcp"));
  EXPECT_EQ(LineTimeText(kRecord, "DROP UDP"), "");
  EXPECT_EQ(SourceAddress(kRecord, "DROP UDP"), "");
  EXPECT_FALSE(HasPort(kRecord, "700"));
  EXPECT_FALSE(HasPort(kRecord, "000"));
  EXPECT_FALSE(HasPort(kRecord, "RECEIVE")) << "the last field has no space after it";
  EXPECT_FALSE(HasPort(kRecord, "2012-07-17")) << "the first field has no space before it";
  EXPECT_FALSE(HasPort(kRecord, "")) << "an empty port needs two spaces in a row";
  EXPECT_TRUE(HasPort("a  b", ""));
  EXPECT_FALSE(HasPort("", "1"));
}

TEST(LineFields, SourceAddressDropsEveryCopyOfThePrefix) {
  // Prefix "aXb": the action text "X" and one character either side.
  EXPECT_EQ(SourceAddress("aXbcaXbd e", "X"), "cd");
  EXPECT_EQ(SourceAddress("aXbaXb", "X"), "");
  // Nothing follows the action text: the prefix is the whole line.
  EXPECT_EQ(SourceAddress("2012-07-17 10:17:07 DROP TCP", "DROP TCP"), "");
  // No space after the address: the rest of the line.
  EXPECT_EQ(SourceAddress("2012-07-17 10:17:07 DROP TCP 192.0.2.10", "DROP TCP"), "192.0.2.10");
}

TEST(LineFields, EmptyActionTextIsInEveryLine) {
  EXPECT_TRUE(HasActionText("", ""));
  EXPECT_TRUE(HasActionText(kRecord, ""));
  EXPECT_EQ(LineTimeText(kRecord, ""), "");
  // The prefix is the first character, "2", so every "2" goes.
  EXPECT_EQ(SourceAddress(kRecord, ""), "01-07-17");
  EXPECT_EQ(SourceAddress("", ""), "");
}

}  // namespace
}  // namespace quennet
