#include "fwlog/action_codes.h"

#include <array>
#include <utility>

#include "app/windows_version.h"

namespace quennet {
namespace {

// The version is asked only when the text is needed.
std::string TcpAllowText(VersionService& version) {
  return GetWindowsVersion::IsNewerFirewallHost(version) ? "ALLOW TCP" : "OPEN-INBOUND TCP";
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string ReturnFirewallAction(VersionService& version, std::string_view strFirewallActionCode) {
  if (strFirewallActionCode.size() > 2) return TcpAllowText(version);
  std::string code(strFirewallActionCode);
  for (char& c : code) c = AsciiLower(c);
  if (code == "at") return TcpAllowText(version);
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kFixed = {{
      {"au", "ALLOW UDP"},
      {"ai", "ALLOW ICMP"},
      {"dt", "DROP TCP"},
      {"du", "DROP UDP"},
      {"di", "DROP ICMP"},
  }};
  for (const auto& [name, text] : kFixed) {
    if (code == name) return std::string(text);
  }
  return "";
}

}  // namespace quennet
