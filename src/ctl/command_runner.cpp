#include "ctl/command_runner.h"

#include "errors/error.h"

namespace quennet {

void CommandRunner::Run(const std::string& command_line) {
  if (print_only_) {
    out_ << command_line << '\n';
    return;
  }
  const int status = Probe(command_line);
  if (status != 0)
    throw CommandFailed("exit status " + std::to_string(status) + " from: " + command_line);
}

CommandOutput CommandRunner::Read(const std::string& command_line, bool show_output,
                                  std::size_t limit) {
  out_ << "> " << command_line << std::endl;
  CommandOutput result;
  try {
    result = shell_.RunAndRead(command_line, limit);
  } catch (const RuntimeError& error) {
    throw CommandFailed("cannot read (" + error.description() + "): " + command_line);
  }
  if (show_output)
    out_ << result.output << (result.output.ends_with('\n') || result.output.empty() ? "" : "\n");
  out_ << "  exit status " << result.status << '\n';
  return result;
}

int CommandRunner::Probe(const std::string& command_line) {
  out_ << "> " << command_line << std::endl;  // before the command's own output
  int status = 0;
  try {
    status = shell_.RunAndWait(command_line);
  } catch (const RuntimeError& error) {
    throw CommandFailed("cannot start (" + error.description() + "): " + command_line);
  }
  out_ << "  exit status " << status << '\n';
  return status;
}

}  // namespace quennet
