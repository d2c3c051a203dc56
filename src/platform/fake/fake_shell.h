#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace quennet {

// Records every command line it is asked to start, as "run <line>", "Exec <line>" or
// "RunAndWait <line>"; a command waited for ends with status 0.
class FakeShell : public ShellService {
 public:
  std::map<std::string, std::string> environment;
  std::vector<std::string> commands;

  std::string ExpandEnvironmentStrings(const std::string& text) override;
  void run(const std::string& command_line) override;
  void Exec(const std::string& command_line) override;
  int RunAndWait(const std::string& command_line) override;
};

}  // namespace quennet
