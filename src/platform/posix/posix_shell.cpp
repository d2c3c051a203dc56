#include "platform/posix/posix_shell.h"

#include <cstdlib>
#include <optional>

#include "platform/posix/process_start.h"
#include "text/command_line_split.h"
#include "text/environment_text.h"

namespace quennet {

std::string PosixShell::ExpandEnvironmentStrings(const std::string& text) {
  return ExpandReferences(text, [](const std::string& name) -> std::optional<std::string> {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return value;
  });
}

void PosixShell::run(const std::string& command_line) {
  StartDetached(SplitCommandLine(command_line));
}

void PosixShell::Exec(const std::string& command_line) {
  StartDetached(SplitCommandLine(command_line));
}

int PosixShell::RunAndWait(const std::string& command_line) {
  return StartAndWait(SplitCommandLine(command_line));
}

CommandOutput PosixShell::RunAndRead(const std::string& command_line, std::size_t limit) {
  return StartAndRead(SplitCommandLine(command_line), limit);
}

}  // namespace quennet
