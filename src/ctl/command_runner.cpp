#include "ctl/command_runner.h"

#include "platform/error.h"

namespace quennet {

void CommandRunner::Run(const std::string& command_line) {
  if (print_only_) {
    out_ << command_line << '\n';
    return;
  }
  const int status = Probe(command_line);
  if (status != 0) throw CommandFailed("exit status " + std::to_string(status) + " from: " + command_line);
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
