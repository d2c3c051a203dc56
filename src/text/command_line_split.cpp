#include "text/command_line_split.h"

#include "text/ascii.h"

namespace quennet {
namespace {

// Reads one argument starting at `pos` (not a blank) and leaves `pos` after it.
std::string ReadArgument(std::string_view line, std::size_t& pos) {
  std::string argument;
  bool quoted = false;
  while (pos < line.size() && (quoted || !IsBlank(line[pos]))) {
    if (line[pos] != '\\' && line[pos] != '"') {
      argument += line[pos++];
      continue;
    }
    std::size_t backslashes = 0;
    while (pos < line.size() && line[pos] == '\\') {
      ++backslashes;
      ++pos;
    }
    if (pos == line.size() || line[pos] != '"') {
      argument.append(backslashes, '\\');
      continue;
    }
    argument.append(backslashes / 2, '\\');
    if (backslashes % 2 == 1) {
      argument += '"';
    } else if (quoted && pos + 1 < line.size() && line[pos + 1] == '"') {
      argument += '"';
      quoted = false;
      ++pos;
    } else {
      quoted = !quoted;
    }
    ++pos;
  }
  return argument;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view command_line) {
  std::vector<std::string> arguments;
  std::size_t pos = 0;
  for (;;) {
    while (pos < command_line.size() && IsBlank(command_line[pos])) ++pos;
    if (pos == command_line.size()) return arguments;
    arguments.push_back(ReadArgument(command_line, pos));
  }
}

}  // namespace quennet
