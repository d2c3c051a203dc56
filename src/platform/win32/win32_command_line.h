#pragma once

#include <string>
#include <string_view>

namespace quennet {

// What follows the program's name in a Windows command line, blanks after the name
// skipped: a quoted name ends at the next quote, an unquoted one at a blank or tab.
std::string ArgumentsAfterProgramName(std::string_view command_line);

}  // namespace quennet
