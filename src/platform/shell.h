#pragma once

#include <cstddef>
#include <string>

namespace quennet {

// What a command waited for gave back.
struct CommandOutput {
  int status = 0;
  std::string output;  // its standard output, bytes as they came
};

// Environment references and outside commands. A command line is passed exactly as
// built; `run` and `Exec` start it and never wait for it. A command that cannot be
// started throws RuntimeError.
class ShellService {
 public:
  virtual ~ShellService() = default;
  // Replaces every %name% by the environment value; an undefined name stays as
  // written.
  virtual std::string ExpandEnvironmentStrings(const std::string& text) = 0;
  virtual void run(const std::string& command_line) = 0;
  virtual void Exec(const std::string& command_line) = 0;
  // Starts the command as `run` does and waits for it to end; its exit status.
  virtual int RunAndWait(const std::string& command_line) = 0;
  // Starts the command as `run` does with its standard output read into the result,
  // and waits for it to end; standard error stays the caller's. A command that
  // writes more than `limit` bytes is ended, and RuntimeError is thrown.
  virtual CommandOutput RunAndRead(const std::string& command_line, std::size_t limit) = 0;
};

}  // namespace quennet
