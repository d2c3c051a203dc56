#include "app/host_environment.h"

#include "app/trusted_folder.h"
#include "app/windows_version.h"
#include "fwlog/snapshot.h"

namespace quennet {

void SetFirewallLogPathVariable(Host& host, FormState& form) {
  form.FirewallLogPath = form.WindowsFolder + (GetWindowsVersion::IsNewerFirewallHost(host.version)
                                                   ? "\\system32\\LogFiles\\Firewall\\pfirewall.log"
                                                   : "\\pfirewall.log");
}

void CreateAppDirectories(Host& host, const FormState& form) {
  for (const char* suffix : {"\\Tolvaren", "\\Tolvaren\\Quennet"}) {
    const std::string folder = form.AppDataFolder + suffix;
    MakeTrustedFolder(host.folders, folder);
  }
  ClearSnapshotFolder(host, form.AppDataFolder);
}

}  // namespace quennet
