#include "text/number_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace quennet {
namespace {

TEST(NumberText, ReadsWholeDecimalNumbersAndNothingElse) {
  const std::pair<const char*, double> numbers[] = {{"+443", 443}, {"-.5", -0.5},  {"5.", 5},
                                                    {"007", 7},    {"30.9", 30.9}, {"2.5E-1", 0.25},
                                                    {"1e+2", 100}, {"-0", 0}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(ReadNumber(text), value) << text;
  for (const std::string text :
       {"",    " 7",    "7 ",           "1,000",      "0x1F",  "inf",   "nan",
        ".",   "+",     "+-1",          "1.2.3",      "e5",    ".e5",   "1e",
        "1e+", "1e5.5", "192.168.1.20", "2012-07-17", "10:17", "1e999", "\xbd"}) {
    EXPECT_FALSE(IsNumeric(text)) << "'" << text << "'";
  }
  EXPECT_FALSE(IsNumeric(std::string("7\0", 2)));
}

}  // namespace
}  // namespace quennet
