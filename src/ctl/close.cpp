#include "ctl/ctl_arguments.h"
#include "ctl/firewall_rules.h"
#include "ctl/subcommands.h"
#include "logging/event_entry.h"
#include "unlock/allow_rule.h"

namespace quennet {
namespace {

// A netsh removal that finds nothing to remove has nothing left to do: only another
// failure throws CommandFailed. Printing only, it is shown.
void RemoveRules(CommandRunner& runner, const std::string& command) {
  if (runner.PrintOnly()) return runner.Run(command);
  const CommandOutput result = runner.Read(command, true);
  if (result.status != 0 && !NoRuleMatched(result.output)) {
    throw CommandFailed("exit status " + std::to_string(result.status) + " from: " + command);
  }
}

std::string ClosedMessage(const std::string& rule, const std::string& address,
                          const std::string& port) {
  return "Quennet - Port Closed\r\nRule Name=" + rule +
         (address.empty() ? "" : "\r\nIP=" + address) + "\r\nport=" + port;
}

}  // namespace

void CloseRule(Ctl& ctl, CommandRunner& runner, const std::string& rule, const std::string& port) {
  RemoveRules(runner, DeleteRuleCommandLine(ctl.host.version, rule, port));
  RecordClosed(runner, rule, port, "");
}

void CloseAddress(CommandRunner& runner, const std::string& rule, const std::string& port,
                  const std::string& address) {
  RemoveRules(runner,
              "netsh advfirewall firewall delete rule name=" + rule + " remoteip=" + address);
  RecordClosed(runner, rule, port, address);
}

void RecordClosed(CommandRunner& runner, const std::string& rule, const std::string& port,
                  const std::string& address) {
  runner.Run(EventCommandLine(101, "INFORMATION", ClosedMessage(rule, address, port)));
}

int Close(Ctl& ctl, const std::vector<std::string>& arguments) {
  const CtlArguments parsed = ParseCtlArguments(arguments, {}, {}, 2);
  CheckRuleName(parsed.positional[0]);
  CheckPort(parsed.positional[1]);
  CommandRunner runner(ctl.host.shell, ctl.out);
  CloseRule(ctl, runner, parsed.positional[0], parsed.positional[1]);
  return 0;
}

}  // namespace quennet
