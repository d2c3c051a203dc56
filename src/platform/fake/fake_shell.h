#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace quennet {

// Records every command line it is asked to start, as "run <line>", "Exec <line>" or
// "RunAndWait <line>"; a command waited for ends with the status its program name is
// given in exit_statuses, 0 otherwise.
class FakeShell : public ShellService {
 public:
  std::map<std::string, std::string> environment;
  std::vector<std::string> commands;
  bool fail_run = false;
  bool fail_exec = false;
  std::map<std::string, int> exit_statuses;

  std::string ExpandEnvironmentStrings(const std::string& text) override;
  void run(const std::string& command_line) override;
  void Exec(const std::string& command_line) override;
  int RunAndWait(const std::string& command_line) override;
};

}  // namespace quennet
