#include <utility>

#include "ctl/earlier_setup.h"
#include "ctl/host_setup.h"
#include "ctl/knock_setup.h"
#include "ctl/private_folders.h"
#include "ctl/subcommands.h"
#include "ctl/task_xml.h"
#include "shared/host_environment.h"
#include "shared/windows_version.h"

namespace quennet {
namespace {

// Whoever can write the program folder decides what the task runs as SYSTEM.
void CheckProgramFolder(Host& host) {
  const FolderFacts folder = host.folders.Inspect(host.program_folder);
  if (!folder.exists || !folder.is_folder || folder.is_link || !folder.owner_trusted ||
      folder.others_may_write) {
    throw Refused("the program folder " + host.program_folder +
                  " must be a folder that only SYSTEM, Administrators and TrustedInstaller can "
                  "write: whoever can "
                  "write it decides what the task runs as SYSTEM");
  }
}

// The shared application-data folder, where Quennet keeps its copy of the log.
std::string CheckHost(Host& host, bool print_only) {
  if (!print_only && !host.privileges.Elevated())
    throw Refused("run it from an elevated prompt (as administrator)");
  CheckProgramFolder(host);
  if (!GetWindowsVersion::IsNewerFirewallHost(host.version)) {
    throw Refused(
        "the task needs Windows Vista or later, which record dropped packets as event 5152");
  }
  const std::string data = CommonAppDataFolder(host);
  if (data.empty())
    throw Refused("the registry names no shared application-data folder (Common AppData)");
  return data;
}

// Each task's name and definition.
std::vector<std::pair<std::string, std::string>> Tasks(const KnockSetup& setup,
                                                       const std::string& program_folder) {
  std::vector<std::pair<std::string, std::string>> tasks{
      {KnockTaskName(setup.rule), KnockTaskXml(setup, program_folder)}};
  if (!setup.close_after.empty())
    tasks.emplace_back(CloseTaskName(setup.rule), CloseTaskXml(setup, program_folder));
  return tasks;
}

}  // namespace

int Install(Ctl& ctl, const std::vector<std::string>& arguments) {
  const KnockSetup setup = ParseKnockSetup(arguments, {"--print"});
  const bool print_only = setup.flags.contains("--print");
  const std::string data = CheckHost(ctl.host, print_only);
  WarnAboutKnock(ctl, setup.ports, !setup.strict);
  const auto tasks = Tasks(setup, ctl.host.program_folder);
  for (const auto& task : tasks)
    XmlDocument(task.second);  // refuses text schtasks could not take, before any change

  CommandRunner runner(ctl.host.shell, ctl.out, print_only);
  for (const std::string& command : HostSetupCommands(ctl.host)) runner.Run(command);
  MakeProgramFolderPrivate(ctl, runner);
  MakeDataFolders(ctl, runner, data, print_only);
  RemoveEarlierSetUp(ctl, runner, setup, print_only);
  for (const auto& [name, xml] : tasks) {
    const std::string path = ctl.host.program_folder + "\\" + name + ".xml";
    if (print_only) {
      ctl.out << "--- " << path << " (UTF-16)\n" << xml;
    } else {
      ctl.host.files.WriteWholeFile(path, XmlDocument(xml));
      ctl.out << "wrote " << path << '\n';
    }
    runner.Run("schtasks /create /xml \"" + path + "\" /tn \"" + name + "\" /f");
    // The task holds the knock now; "quennetctl task" prints the XML again.
    if (!print_only) {
      ctl.host.files.RemoveFile(path);
      ctl.out << "removed " << path << '\n';
    }
  }
  return 0;
}

}  // namespace quennet
