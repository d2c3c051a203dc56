#pragma once

#include "platform/shell.h"

namespace quennet {

class Win32Shell : public ShellService {
 public:
  std::string ExpandEnvironmentStrings(const std::string& text) override;
  void run(const std::string& command_line) override;
  void Exec(const std::string& command_line) override;
  int RunAndWait(const std::string& command_line) override;
  CommandOutput RunAndRead(const std::string& command_line, std::size_t limit) override;
};

}  // namespace quennet
