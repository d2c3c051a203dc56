#pragma once

#include <string>

namespace quennet {

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
};

}  // namespace quennet
