#include "shared/host_environment.h"

#include "shared/registry_value.h"
#include "shared/trusted_folder.h"
#include "shared/windows_version.h"

namespace quennet {

std::string CommonAppDataFolder(Host& host) {
  return basRegistry::ValueText(basRegistry::GetRegistryValue(
      host.registry, kHkeyLocalMachine,
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Common AppData",
      0));
}

void SetFirewallLogPathVariable(Host& host, FormState& form) {
  form.FirewallLogPath =
      GetWindowsVersion::FirewallLogPath(host.version, host.files, form.WindowsFolder);
}

void CreateAppDirectories(Host& host, const FormState& form) {
  for (const char* suffix : {"\\Tolvaren", "\\Tolvaren\\Quennet"}) {
    const std::string folder = form.AppDataFolder + suffix;
    MakeTrustedFolder(host.folders, folder);
  }
}

}  // namespace quennet
