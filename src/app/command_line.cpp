#include "app/command_line.h"

#include <string_view>
#include <vector>

#include "app/ip_address.h"
#include "text/date_text.h"
#include "text/number_text.h"
#include "text/text_split.h"

namespace quennet {

ArgumentText ReadStrictOption(const std::string& argument_text) {
  constexpr std::string_view kStrict = "--strict ";
  if (!argument_text.starts_with(kStrict)) return {argument_text, false};
  return {argument_text.substr(kStrict.size()), true};
}

std::optional<KnockRoles> InterpretCommandLine(const std::string& CommandText,
                                               const std::string& start_time_text) {
  if (CommandText.find(' ') == std::string::npos) return std::nullopt;
  const std::vector<std::string> tokens = SplitAll(CommandText, ' ');
  if (tokens.size() < 4) return std::nullopt;

  KnockRoles roles{tokens[0], tokens[1], tokens[2], tokens[3], "", "", start_time_text};
  if (tokens.size() >= 5) {
    const std::string& fifth = tokens[4];
    // A date in token 5 takes no role: the reference time comes from token 6 or the
    // start time whatever token 5 holds.
    if (IsNumeric(fifth)) {
      roles.PortToOpen = fifth;
    } else if (!IsDate(fifth) && IsIPaddress(fifth)) {
      roles.SourceIP = fifth;
    }
  }
  if (tokens.size() >= 6) {
    const std::string& sixth = tokens[5];
    if (IsNumeric(sixth)) {
      roles.PortToOpen = sixth;
    } else if (IsDate(sixth)) {
      roles.ReferenceTime = sixth;
      roles.ReferenceGiven = true;
    }
  }
  if (tokens.size() >= 7) roles.PortToOpen = tokens[6];
  return roles;
}

std::string LastElement(const std::string& list_token) {
  const std::size_t comma = list_token.rfind(',');
  return comma == std::string::npos ? list_token : list_token.substr(comma + 1);
}

}  // namespace quennet
