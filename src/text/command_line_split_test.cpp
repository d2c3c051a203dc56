#include "text/command_line_split.h"

#include <gtest/gtest.h>

namespace quennet {
namespace {

using Arguments = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheWindowsRules) {
  const struct {
    std::string line;
    Arguments arguments;
  } cases[] = {
      {"", {}},
      {" \t ", {}},
      {"  a   b\tc  ", {"a", "b", "c"}},
      {"a\nb\r\nc", {"a\nb\r\nc"}},  // only blanks and tabs separate
      {"\"a b\" c", {"a b", "c"}},
      {"a\"b c\"d e", {"ab cd", "e"}},
      {"\"\" a \"\"", {"", "a", ""}},
      {"\"unclosed a\tb", {"unclosed a\tb"}},
      {R"(C:\Windows\system32\netsh.exe a\\b\ )", {R"(C:\Windows\system32\netsh.exe)", R"(a\\b\)"}},
      {R"(a\\\\"b c" d)", {R"(a\\b c)", "d"}},
      {R"(a\\\"b c)", {R"(a\"b)", "c"}},
      {R"("a\\" b)", {R"(a\)", "b"}},
      {R"(\"quoted\")", {R"("quoted")"}},
      {"EVENTCREATE /D \"Heading\r\nIP=1.2.3.4\"", {"EVENTCREATE", "/D", "Heading\r\nIP=1.2.3.4"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SplitCommandLine(c.line), c.arguments) << "line: " << c.line;
}

}  // namespace
}  // namespace quennet
