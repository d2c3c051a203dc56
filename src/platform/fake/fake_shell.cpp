#include "platform/fake/fake_shell.h"

#include "text/environment_text.h"

namespace quennet {

std::string FakeShell::ExpandEnvironmentStrings(const std::string& text) {
  return ExpandReferences(text, [this](const std::string& name) -> std::optional<std::string> {
    const auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
  });
}

void FakeShell::run(const std::string& command_line) { commands.push_back("run " + command_line); }

void FakeShell::Exec(const std::string& command_line) {
  commands.push_back("Exec " + command_line);
}

int FakeShell::RunAndWait(const std::string& command_line) {
  commands.push_back("RunAndWait " + command_line);
  return 0;
}

CommandOutput FakeShell::RunAndRead(const std::string& command_line, std::size_t) {
  commands.push_back("RunAndRead " + command_line);
  const auto found = outputs.find(command_line);
  return found == outputs.end() ? CommandOutput{} : found->second;
}

}  // namespace quennet
