#include "ctl/ctl_arguments.h"
#include "ctl/knock_check.h"
#include "ctl/subcommands.h"

namespace quennet {

bool WarnAboutKnock(Ctl& ctl, const std::string& ports) {
  const std::vector<std::string> warnings = KnockWarnings(ports);
  for (const std::string& warning : warnings) ctl.out << "warning: " << warning << '\n';
  return !warnings.empty();
}

int Check(Ctl& ctl, const std::vector<std::string>& arguments) {
  const CtlArguments parsed = ParseCtlArguments(arguments, {}, {}, 1);
  CheckPortList(parsed.positional[0]);
  if (WarnAboutKnock(ctl, parsed.positional[0])) return 1;
  ctl.out << "nothing to warn about\n";
  return 0;
}

}  // namespace quennet
