#include "ctl/firewall_rules.h"

#include "text/ascii.h"
#include "text/text_split.h"
#include "unlock/address_literal.h"

namespace quennet {

std::vector<std::string> ListedRemoteAddresses(std::string_view output) {
  std::vector<std::string> addresses;
  for (std::string line : SplitAll(output, '\n')) {
    if (line.ends_with('\r')) line.pop_back();
    if (line.starts_with("RemoteIP:"))
      addresses.emplace_back(TrimBlanks(std::string_view(line).substr(9)));
  }
  return addresses;
}

std::string SingleAddress(const std::string& value) {
  std::string address = value;
  const std::size_t slash = address.find('/');
  if (slash != std::string::npos) {
    const std::string prefix = address.substr(slash + 1);
    address.resize(slash);
    if (prefix != (address.find(':') == std::string::npos ? "32" : "128")) return "";
  }
  return IsSenderAddress(address) ? address : "";
}

bool NoRuleMatched(std::string_view output) {
  return output.find("No rules match the specified criteria") != std::string_view::npos;
}

}  // namespace quennet
