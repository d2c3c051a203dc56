#include "fwlog/text_search.h"

#include <gtest/gtest.h>

#include <string>

namespace quennet {
namespace {

// Every needle at every start, in texts long enough for the wide search, with hits
// at both ends, straddling each sixteen bytes, and near misses of one byte.
TEST(TextSearch, FindsWhatFindFinds) {
  std::string text;
  for (int i = 0; i < 7; ++i) text += " 7013 70 1 701" + std::string(i, 'x') + " 701 ";
  text += std::string("\0 701\0", 6) + " 70 #Fields #Fields: x #F";
  const std::string needles[] = {" 701 ",  "701",       "70",
                                 "7",      "",          " 70 1",
                                 "x 701 ", "01 7",      std::string("\0 7", 3),
                                 " 705 ",  "#Fields: ", "#F",
                                 text,     text + "x"};
  for (const std::string& needle : needles) {
    for (std::size_t from = 0; from <= text.size() + 1; ++from) {
      ASSERT_EQ(FindText(text, needle, from), std::string_view(text).find(needle, from))
          << needle << " " << from;
    }
  }
}

}  // namespace
}  // namespace quennet
