#pragma once

#include <ostream>
#include <stdexcept>
#include <string>

#include "platform/shell.h"

namespace quennet {

// A command that failed or could not be started; the text names it.
class CommandFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Starts commands one at a time, waits for each and reports it with its exit status
// on `out`. Printing only, Run shows each command and starts none.
class CommandRunner {
 public:
  CommandRunner(ShellService& shell, std::ostream& out, bool print_only = false)
      : shell_(shell), out_(out), print_only_(print_only) {}

  // Throws CommandFailed when the command cannot be started or ends with a status
  // other than 0.
  void Run(const std::string& command_line);
  // The exit status, for the caller to judge; only a command that cannot be started
  // throws CommandFailed. Started even when printing only, since it changes nothing.
  int Probe(const std::string& command_line);
  // Starts the command with its standard output read (and shown, when asked) and
  // gives both; only
  // a command that cannot be started, or writes more than `limit` bytes, throws
  // CommandFailed. Started even when printing only.
  CommandOutput Read(const std::string& command_line, bool show_output = false,
                     std::size_t limit = kOutputLimit);

  bool PrintOnly() const { return print_only_; }

  // More output than any command quennetctl reads can have.
  static constexpr std::size_t kOutputLimit = 32u << 20;

 private:
  ShellService& shell_;
  std::ostream& out_;
  bool print_only_;
};

}  // namespace quennet
