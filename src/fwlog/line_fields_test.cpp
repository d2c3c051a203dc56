#include "fwlog/line_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace quennet {
namespace {

constexpr std::string_view kRecord =
    "2012-07-17 10:17:07 DROP TCP 192.0.2.10 192.0.2.20 51234 7000 52 S 1234567 0 8192 - - - "
    "RECEIVE";

TEST(LineFields, SourceAddressDropsEveryCopyOfThePrefixAndTheHeaderPlacesTheFields) {
  EXPECT_EQ(SourceAddress(kRecord, "DROP TCP"), "192.0.2.10");
  EXPECT_EQ(SourceAddress("aXbcaXbd e", "X"), "cd");  // the prefix is "aXb"
  EXPECT_EQ(SourceAddress(kRecord, ""), "01-07-17");  // the prefix is "2"
  EXPECT_EQ(SourceAddress("10:17:07 DROP TCP", "DROP TCP") + SourceAddress(kRecord, "DROP UDP"),
            "");
  EXPECT_EQ(FieldAt(kRecord, 16), "RECEIVE");
  EXPECT_EQ(FieldAt("a  b", 1), "");
  EXPECT_EQ(FieldAt(kRecord, 17), std::nullopt);  // too few fields
  EXPECT_EQ(FieldAt("", 1), std::nullopt);

  // Positions of date, time, src-ip and dst-port after reading a line.
  const auto positions = [](FieldLayout& layout, std::string_view line) {
    const bool header = layout.Read(line);
    return std::to_string(header) + ":" + std::to_string(layout.date) +
           std::to_string(layout.time) + std::to_string(layout.src_ip) +
           std::to_string(layout.dst_port);
  };
  const std::pair<std::string_view, const char*> cases[] = {
      {"#Fields: date time action protocol src-ip dst-ip src-port dst-port size",
       "1:0147"},  // Windows' own
      {"#Fields: time date action src-ip dst-port", "1:1034"},
      {"#Fields: date time dst-port", "1:0142"},          // no src-ip: where Windows writes it
      {"#Fields: date  time src-ip dst-port", "1:0234"},  // two blanks make an empty name
      {"#Fields: DST-PORT", "1:0147"},                    // names are exact
      {"#Fields:dst-port", "0:0147"},
      {kRecord, "0:0147"},
  };
  for (const auto& [line, expected] : cases) {
    FieldLayout layout;
    EXPECT_EQ(positions(layout, line), expected) << line;
  }
  // A header governs the lines after it; any other line leaves it as it stands.
  FieldLayout layout;
  layout.Read("#Fields: dst-port");
  EXPECT_EQ(positions(layout, kRecord), "0:0140");
  EXPECT_EQ(FieldAt(kRecord, layout.dst_port), "2012-07-17");
}

}  // namespace
}  // namespace quennet
