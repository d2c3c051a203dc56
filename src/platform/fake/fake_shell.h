#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace quennet {

// Records every command line it is asked to start, as "run <line>", "Exec <line>",
// "RunAndWait <line>" or "RunAndRead <line>"; a command waited for ends with status
// 0, one read gives what `outputs` holds for its line (status 0 and nothing unless
// set).
class FakeShell : public ShellService {
 public:
  std::map<std::string, std::string> environment;
  std::vector<std::string> commands;
  std::map<std::string, CommandOutput> outputs;

  std::string ExpandEnvironmentStrings(const std::string& text) override;
  void run(const std::string& command_line) override;
  void Exec(const std::string& command_line) override;
  int RunAndWait(const std::string& command_line) override;
  CommandOutput RunAndRead(const std::string& command_line, std::size_t limit) override;
};

}  // namespace quennet
