#include <algorithm>
#include <iterator>

#include "ctl/ctl_arguments.h"
#include "ctl/ctl_usage.h"
#include "ctl/subcommands.h"

namespace quennet {
namespace {

struct Subcommand {
  const char* name;
  std::string usage;
  int (*run)(Ctl&, const std::vector<std::string>&);
};

}  // namespace

int RunQuennetCtl(Ctl& ctl, const std::vector<std::string>& arguments) {
  static const Subcommand kSubcommands[] = {
      {"close", kCloseUsage, Close},
      {"expire", kExpireUsage, Expire},
      {"task", std::string(kTaskUsage) + kKnockArguments, Task},
      {"install", std::string(kInstallUsage) + kKnockArguments, Install},
      {"uninstall", kUninstallUsage, Uninstall},
      {"status", kStatusUsage, Status},
      {"check", kCheckUsage, Check},
      {"page", kPageUsage, Page},
  };
  if (arguments.empty() || arguments[0] == "--help") {
    (arguments.empty() ? ctl.err : ctl.out) << kCtlUsage;
    return arguments.empty() ? 2 : 0;
  }
  if (arguments[0] == "--version") {
    ctl.out << "quennetctl " QUENNET_VERSION "\n";
    return 0;
  }
  const auto* subcommand =
      std::find_if(std::begin(kSubcommands), std::end(kSubcommands),
                   [&](const Subcommand& known) { return arguments[0] == known.name; });
  if (subcommand == std::end(kSubcommands)) {
    ctl.err << "quennetctl: unknown subcommand \"" << arguments[0]
            << "\"; quennetctl --help lists them\n";
    return 2;
  }
  const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
  if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
    ctl.out << subcommand->usage;
    return 0;
  }
  const std::string name = std::string("quennetctl ") + subcommand->name + ": ";
  try {
    return subcommand->run(ctl, rest);
  } catch (const UsageError& error) {
    ctl.err << name << error.what() << "\n" << name << "--help tells more\n";
    return 2;
  } catch (const Refused& error) {
    ctl.err << name << "refused: " << error.what() << '\n';
  } catch (const CommandFailed& error) {
    ctl.err << name << "failed: " << error.what() << '\n';
  }
  return 1;
}

}  // namespace quennet
