#include "ctl/earlier_setup.h"

#include "ctl/command_readings.h"
#include "ctl/host_setup.h"
#include "errors/error.h"
#include "text/number_text.h"

namespace quennet {
namespace {

void Remove(Ctl& ctl, const std::string& path, const std::string& what, bool print_only) {
  if (!print_only) ctl.host.files.RemoveFile(path);
  ctl.out << (print_only ? "would remove " : "removed ") << path << what << '\n';
}

// The port that the registered knock task of `rule` opens: the last of its arguments.
std::string OpenedPort(CommandRunner& runner, const std::string& rule) {
  const std::optional<std::string> xml = ReadTaskXml(runner, KnockTaskName(rule));
  const std::vector<std::string> words = xml ? TaskArguments(*xml) : std::vector<std::string>{};
  return !words.empty() && ReadWholeNumber(words.back(), 65535).value_or(0) > 0 ? words.back() : "";
}

}  // namespace

void RemoveTaskFiles(Ctl& ctl, const std::string& rule, bool print_only) {
  for (const std::string& task : {KnockTaskName(rule), CloseTaskName(rule)}) {
    const std::string xml = ctl.host.program_folder + "\\" + task + ".xml";
    if (ctl.host.files.FileExists(xml)) Remove(ctl, xml, "", print_only);
  }
}

void RemoveLogLink(Ctl& ctl, bool print_only) {
  try {
    if (const auto link = EarlierLogLink(ctl.host)) {
      Remove(ctl, *link, ", the link to the firewall log that an earlier install made", print_only);
    }
  } catch (const RuntimeError& error) {
    throw CommandFailed("cannot remove the link to the firewall log (" + error.Detail() + ")");
  }
}

void RemoveEarlierSetUp(Ctl& ctl, CommandRunner& runner, const KnockSetup& setup, bool print_only) {
  // Quennet opens only its task's port, so every rule of the name opens the old one.
  const std::string opened = OpenedPort(runner, setup.rule);
  if (!opened.empty() && opened != setup.port) {
    ctl.out << "closing the rules " << setup.rule << ", which opened TCP port " << opened
            << " under the earlier set-up\n";
    CloseRule(ctl, runner, setup.rule, opened);
  }
  const std::string close_task = CloseTaskName(setup.rule);
  if (setup.close_after.empty() && ReadTaskXml(runner, close_task)) {
    runner.Run("schtasks /delete /tn \"" + close_task + "\" /f");
  }
  RemoveTaskFiles(ctl, setup.rule, print_only);
  RemoveLogLink(ctl, print_only);
}

}  // namespace quennet
