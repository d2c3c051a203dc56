#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quennet {

// Splits a command line into arguments by the rules Windows programs use
// (CommandLineToArgvW): blanks and tabs separate; double quotes group and are
// removed; 2n backslashes before a quote give n backslashes and the quote groups,
// 2n+1 give n backslashes and a literal quote; other backslashes are literal; two
// quotes inside a quoted part give a literal quote and end the quoted part. The
// program name follows the same rules as the arguments.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

}  // namespace quennet
