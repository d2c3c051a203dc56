#include "fwlog/line_fields.h"

#include <gtest/gtest.h>

namespace quennet {
namespace {

constexpr std::string_view kRecord =
    "2012-07-17 10:17:07 DROP TCP 192.0.2.10 192.0.2.20 51234 7000 52 S 1234567 0 8192 - - - RECEIVE";

TEST(LineFields, ReadTheRecordByExactTextAndWholeFields) {
  EXPECT_TRUE(HasActionText(kRecord, "DROP TCP"));
  EXPECT_FALSE(HasActionText(kRecord, "drop tcp"));
  EXPECT_EQ(LineTimeText(kRecord, "DROP TCP"), "2012-07-17 10:17:07 ");
  EXPECT_TRUE(HasPort(kRecord, "7000") && HasPort(kRecord, "52"));
  for (const char* port : {"700", "RECEIVE", "2012-07-17", ""}) EXPECT_FALSE(HasPort(kRecord, port)) << port;
}

TEST(LineFields, SourceAddressDropsEveryCopyOfThePrefix) {
  EXPECT_EQ(SourceAddress(kRecord, "DROP TCP"), "192.0.2.10");
  EXPECT_EQ(SourceAddress("aXbcaXbd e", "X"), "cd");  // the prefix is "aXb"
  EXPECT_EQ(SourceAddress(kRecord, ""), "01-07-17");  // the prefix is "2"
  EXPECT_EQ(SourceAddress("10:17:07 DROP TCP", "DROP TCP") + SourceAddress(kRecord, "DROP UDP"), "");
}

}  // namespace
}  // namespace quennet
