#include "ctl/ctl_arguments.h"
#include "ctl/knock_check.h"
#include "ctl/subcommands.h"

namespace quennet {

bool WarnAboutKnock(Ctl& ctl, const std::string& ports, bool lenient) {
  std::vector<std::string> warnings = KnockWarnings(ports);
  if (lenient) warnings.push_back(kLenientWarning);
  for (const std::string& warning : warnings) ctl.out << "warning: " << warning << '\n';
  return !warnings.empty();
}

int Check(Ctl& ctl, const std::vector<std::string>& arguments) {
  const CtlArguments parsed = ParseCtlArguments(arguments, {"--lenient"}, {}, 1);
  CheckPortList(parsed.positional[0]);
  if (WarnAboutKnock(ctl, parsed.positional[0], parsed.flags.contains("--lenient"))) return 1;
  ctl.out << "nothing to warn about\n";
  return 0;
}

}  // namespace quennet
