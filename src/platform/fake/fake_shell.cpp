#include "platform/fake/fake_shell.h"

#include "platform/environment_text.h"
#include "platform/error.h"

namespace quennet {

std::string FakeShell::ExpandEnvironmentStrings(const std::string& text) {
  return ExpandReferences(text, [this](const std::string& name) -> std::optional<std::string> {
    const auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
  });
}

void FakeShell::run(const std::string& command_line) {
  if (fail_run) throw RuntimeError(kErrFileNotFound, "File not found");
  commands.push_back("run " + command_line);
}

void FakeShell::Exec(const std::string& command_line) {
  if (fail_exec) throw RuntimeError(kErrFileNotFound, "File not found");
  commands.push_back("Exec " + command_line);
}

int FakeShell::RunAndWait(const std::string& command_line) {
  commands.push_back("RunAndWait " + command_line);
  const auto found = exit_statuses.find(command_line.substr(0, command_line.find(' ')));
  return found == exit_statuses.end() ? 0 : found->second;
}

}  // namespace quennet
