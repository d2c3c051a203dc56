#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace quennet {
namespace {

TEST(NumberText, ReadsWholeDecimalNumbers) {
  for (const auto& [text, value] : std::initializer_list<std::pair<const char*, double>>{
           {"0", 0},       {"7000", 7000},   {"+443", 443},   {"-12", -12},      {"1.5", 1.5},
           {"-.5", -0.5},  {"5.", 5},        {"007", 7},      {"1e3", 1000},     {"2.5E-1", 0.25},
           {"1e+2", 100},  {"-0", 0},        {"30.9", 30.9},  {"123456789012", 123456789012.0}}) {
    const auto read = ReadNumber(text);
    ASSERT_TRUE(read.has_value()) << text;
    EXPECT_DOUBLE_EQ(*read, value) << text;
  }
}

TEST(NumberText, RejectsAnythingElse) {
  for (const char* text : {"", " ", " 7", "7 ", "1,000", "0x1F", "1F", "inf", "-inf", "nan", "Infinity",
                           ".", "+", "-", "+-1", "--1", "1.2.3", "e5", ".e5", "1e", "1e+", "1e5.5", "1 e5",
                           "192.168.1.20", "2012-07-17", "10:17", "$5", "5%", "1e999", "\xbd"}) {
    EXPECT_FALSE(IsNumeric(text)) << "'" << text << "'";
  }
  EXPECT_FALSE(IsNumeric(std::string("7\0", 2)));
}

}  // namespace
}  // namespace quennet
