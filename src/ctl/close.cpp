#include "ctl/ctl_arguments.h"
#include "ctl/subcommands.h"
#include "logging/event_entry.h"
#include "unlock/allow_rule.h"

namespace quennet {

void CloseRule(Ctl& ctl, CommandRunner& runner, const std::string& rule, const std::string& port) {
  runner.Run(DeleteRuleCommandLine(ctl.host.version, rule, port));
  runner.Run(EventCommandLine(101, "INFORMATION", "Quennet - Port Closed\r\nRule Name=" + rule + "\r\nport=" + port));
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
