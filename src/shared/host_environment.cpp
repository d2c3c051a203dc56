#include "shared/host_environment.h"

#include "shared/trusted_folder.h"
#include "shared/windows_version.h"

namespace quennet {

void SetFirewallLogPathVariable(Host& host, FormState& form) {
  form.FirewallLogPath = GetWindowsVersion::FirewallLogPath(host.version, host.files, form.WindowsFolder);
}

void CreateAppDirectories(Host& host, const FormState& form) {
  for (const char* suffix : {"\\Tolvaren", "\\Tolvaren\\Quennet"}) {
    const std::string folder = form.AppDataFolder + suffix;
    MakeTrustedFolder(host.folders, folder);
  }
}

}  // namespace quennet
