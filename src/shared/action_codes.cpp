#include "shared/action_codes.h"

#include <optional>

#include "shared/windows_version.h"
#include "text/ascii.h"

namespace quennet {
namespace {

struct CodeMeaning {
  bool allow;
  std::string_view protocol;
};

// a or d, then t, u or i, in any case; any longer code means an allowed TCP packet.
std::optional<CodeMeaning> ReadCode(std::string_view code) {
  if (code.size() > 2) return CodeMeaning{true, "TCP"};
  if (code.size() != 2) return std::nullopt;
  const char action = LowerAscii(code[0]);
  if (action != 'a' && action != 'd') return std::nullopt;
  switch (LowerAscii(code[1])) {
    case 't': return CodeMeaning{action == 'a', "TCP"};
    case 'u': return CodeMeaning{action == 'a', "UDP"};
    case 'i': return CodeMeaning{action == 'a', "ICMP"};
    default: return std::nullopt;
  }
}

}  // namespace

std::string ReturnFirewallAction(VersionService& version, std::string_view strFirewallActionCode) {
  const auto meaning = ReadCode(strFirewallActionCode);
  if (!meaning) return "";
  if (!meaning->allow) return "DROP " + std::string(meaning->protocol);
  // The version is asked only when the text depends on it.
  if (meaning->protocol == "TCP") {
    return GetWindowsVersion::IsNewerFirewallHost(version) ? "ALLOW TCP" : "OPEN-INBOUND TCP";
  }
  return "ALLOW " + std::string(meaning->protocol);
}

std::string_view ActionProtocol(std::string_view code) {
  const auto meaning = ReadCode(code);
  return meaning ? meaning->protocol : std::string_view();
}

}  // namespace quennet
