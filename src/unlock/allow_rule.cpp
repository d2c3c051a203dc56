#include "unlock/allow_rule.h"

#include "shared/windows_version.h"

namespace quennet {

void Unlock_Port(Host& host, const std::string& strPruleName, const std::string& strFportNumber,
                 const std::string& strFremoteIP) {
  const std::string command =
      GetWindowsVersion::IsNewerFirewallHost(host.version)
          ? "netsh advfirewall firewall add rule name=\"" + strPruleName +
                "\" dir=in action=allow protocol=TCP localport=" + strFportNumber +
                " remoteip=" + strFremoteIP
          : "Netsh firewall add portopening tcp " + strFportNumber + " " + strPruleName +
                " enable custom " + strFremoteIP;
  host.shell.run(command);
}

std::string DeleteRuleCommandLine(VersionService& version, const std::string& rule,
                                  const std::string& port) {
  return GetWindowsVersion::IsNewerFirewallHost(version)
             ? "netsh advfirewall firewall delete rule name=" + rule
             : "Netsh firewall delete portopening tcp " + port;
}

}  // namespace quennet
