#pragma once

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "ctl/command_runner.h"
#include "platform/host.h"

namespace quennet {

// What a subcommand works with: the host, and where it reports.
struct Ctl {
  Host& host;
  std::ostream& out;
  std::ostream& err;
};

// A subcommand that will not go on; the text says why.
class Refused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Each takes the arguments after its name and gives the exit status. Bad arguments
// throw UsageError; a refusal, Refused; a failed command, CommandFailed.
int Close(Ctl& ctl, const std::vector<std::string>& arguments);
int Task(Ctl& ctl, const std::vector<std::string>& arguments);
int Install(Ctl& ctl, const std::vector<std::string>& arguments);
int Uninstall(Ctl& ctl, const std::vector<std::string>& arguments);
int Status(Ctl& ctl, const std::vector<std::string>& arguments);
int Check(Ctl& ctl, const std::vector<std::string>& arguments);
int Expire(Ctl& ctl, const std::vector<std::string>& arguments);
int Page(Ctl& ctl, const std::vector<std::string>& arguments);

// The firewall rule commands of close: every rule of the name removed (on the older
// firewall the port opening), then event 101 without an address. No rule to remove
// is no failure.
void CloseRule(Ctl& ctl, CommandRunner& runner, const std::string& rule, const std::string& port);
// The same for the rules of one address (newer firewall), with the address in the
// event.
void CloseAddress(CommandRunner& runner, const std::string& rule, const std::string& port,
                  const std::string& address);
// Event 101 alone, for `address` (none: every address).
void RecordClosed(CommandRunner& runner, const std::string& rule, const std::string& port,
                  const std::string& address);

// Prints the warnings of "check", the lenient mode's among them; true when there
// were any.
bool WarnAboutKnock(Ctl& ctl, const std::string& ports, bool lenient);

// quennetctl with the arguments after its name: the subcommand, or the help.
int RunQuennetCtl(Ctl& ctl, const std::vector<std::string>& arguments);

}  // namespace quennet
