#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ctl/command_runner.h"
#include "ctl/ctl_arguments.h"

namespace quennet {

// What `task` and `install` are given: Quennet's first four tokens and the port to
// open, checked, with the options.
struct KnockSetup {
  std::set<std::string> flags;  // --strict, --lenient and those of the subcommand
  bool strict = true;           // the task passes --strict unless --lenient asks otherwise
  std::string close_after;      // minutes; empty for no closing task
  std::string ports;
  std::string actions;
  std::string rule;
  std::string seconds;
  std::string port;
};

// [--strict | --lenient] [--close-after MINUTES] PORTS ACTIONS RULE SECONDS PORT,
// with `flags` of the subcommand's own among the options. Throws UsageError.
KnockSetup ParseKnockSetup(const std::vector<std::string>& arguments, std::set<std::string> flags);

// The task names that Quennet's tasks for `rule` are registered under.
std::string KnockTaskName(const std::string& rule);
std::string CloseTaskName(const std::string& rule);
// The command that ends with status 0 when `task` is registered.
std::string TaskQuery(const std::string& task);
// The task's XML as "schtasks /query /xml ONE" prints it, without the NUL bytes of
// UTF-16; none when it is not registered or cannot be read.
std::optional<std::string> ReadTaskXml(CommandRunner& runner, const std::string& task);

}  // namespace quennet
