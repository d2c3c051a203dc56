#include "ctl/ctl_arguments.h"
#include "ctl/earlier_setup.h"
#include "ctl/host_setup.h"
#include "ctl/knock_setup.h"
#include "ctl/subcommands.h"

namespace quennet {

int Uninstall(Ctl& ctl, const std::vector<std::string>& arguments) {
  const CtlArguments parsed = ParseCtlArguments(arguments, {}, {}, 2);
  const std::string& rule = parsed.positional[0];
  CheckRuleName(rule);
  CheckPort(parsed.positional[1]);
  CommandRunner runner(ctl.host.shell, ctl.out);
  // A task that was never made (the closing one, say) is no failure.
  for (const std::string& task : {KnockTaskName(rule), CloseTaskName(rule)}) {
    if (runner.Probe(TaskQuery(task)) == 0) runner.Run("schtasks /delete /tn \"" + task + "\" /f");
  }
  CloseRule(ctl, runner, rule, parsed.positional[1]);
  RemoveTaskFiles(ctl, rule, false);  // what an earlier install left: the XML holds the knock
  RemoveLogLink(ctl, false);
  ctl.out << SettingsLeftNote();
  return 0;
}

}  // namespace quennet
