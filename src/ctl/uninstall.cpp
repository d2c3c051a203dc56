#include "ctl/ctl_arguments.h"
#include "ctl/host_setup.h"
#include "ctl/knock_setup.h"
#include "ctl/subcommands.h"
#include "platform/error.h"

namespace quennet {
namespace {

void RemoveLogLink(Ctl& ctl) {
  try {
    if (const auto link = RemoveEarlierLogLink(ctl.host)) {
      ctl.out << "removed " << *link << ", the link to the firewall log that an earlier install made\n";
    }
  } catch (const RuntimeError& error) {
    throw CommandFailed("cannot remove the link to the firewall log (" + error.description() + ")");
  }
}

}  // namespace

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
  // What an earlier install left: the XML holds the knock.
  for (const std::string& task : {KnockTaskName(rule), CloseTaskName(rule)}) {
    const std::string xml = ctl.host.program_folder + "\\" + task + ".xml";
    if (!ctl.host.files.FileExists(xml)) continue;
    ctl.host.files.RemoveFile(xml);
    ctl.out << "removed " << xml << '\n';
  }
  RemoveLogLink(ctl);
  ctl.out << SettingsLeftNote();
  return 0;
}

}  // namespace quennet
