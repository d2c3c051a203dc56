#include "platform/win32/win32_command_line.h"

#include <algorithm>

namespace quennet {

std::string ArgumentsAfterProgramName(std::string_view command_line) {
  constexpr std::string_view kBlanks = " \t";
  std::size_t name_end = command_line.size();
  if (command_line.starts_with('"')) {
    const std::size_t quote = command_line.find('"', 1);
    if (quote != std::string_view::npos) name_end = quote + 1;
  } else {
    name_end = std::min(command_line.find_first_of(kBlanks), name_end);
  }
  const std::size_t rest =
      std::min(command_line.find_first_not_of(kBlanks, name_end), command_line.size());
  return std::string(command_line.substr(rest));
}

}  // namespace quennet
