#include "ctl/ctl_arguments.h"

#include <algorithm>

#include "shared/action_codes.h"
#include "text/ascii.h"
#include "text/number_text.h"
#include "text/text_split.h"

namespace quennet {
namespace {

bool IsPort(const std::string& text) { return ReadWholeNumber(text, 65535).value_or(0) > 0; }

bool IsActionCode(const std::string& code) {
  return code.size() == 2 && !ActionProtocol(code).empty();
}

}  // namespace

CtlArguments ParseCtlArguments(const std::vector<std::string>& arguments,
                               const std::set<std::string>& flags,
                               const std::set<std::string>& valued, std::size_t positional_count) {
  CtlArguments parsed;
  std::size_t next = 0;
  for (; next < arguments.size() && arguments[next].starts_with("--"); ++next) {
    const std::string& option = arguments[next];
    if (flags.contains(option)) {
      parsed.flags.insert(option);
    } else if (valued.contains(option) && next + 1 < arguments.size()) {
      parsed.values[option] = arguments[++next];
    } else {
      throw UsageError(valued.contains(option) ? option + " needs a value"
                                               : "unknown option " + option);
    }
  }
  parsed.positional.assign(arguments.begin() + static_cast<std::ptrdiff_t>(next), arguments.end());
  if (parsed.positional.size() != positional_count) {
    throw UsageError("expected " + std::to_string(positional_count) +
                     " arguments after the options, got " +
                     std::to_string(parsed.positional.size()));
  }
  return parsed;
}

void CheckPortList(const std::string& ports) {
  for (const std::string& port : SplitAll(ports, ',')) {
    if (!IsPort(port))
      throw UsageError("PORTS: \"" + ports +
                       "\" is not a list of ports 1 to 65535 like 701,702,703");
  }
}

void CheckPort(const std::string& port) {
  if (!IsPort(port)) throw UsageError("PORT: \"" + port + "\" is not a port from 1 to 65535");
}

void CheckActionList(const std::string& actions) {
  const std::vector<std::string> codes = SplitAll(actions, ',');
  if (!std::all_of(codes.begin(), codes.end(), IsActionCode)) {
    throw UsageError("ACTIONS: \"" + actions + "\" is not a list of the codes at au ai dt du di");
  }
  if (LowerAscii(codes.back()[0]) != 'd') {
    throw UsageError(
        "ACTIONS: the last code must be dt, du or di: the task starts on the event of a dropped "
        "packet");
  }
}

void CheckRuleName(const std::string& rule) {
  const bool plain =
      !rule.empty() && rule.size() <= 200 && std::all_of(rule.begin(), rule.end(), [](char c) {
        return IsLetter(c) || IsDigit(c) || c == '.' || c == '-' || c == '_';
      });
  if (!plain)
    throw UsageError("RULE: \"" + rule + "\" may hold only letters, digits, '.', '-' and '_'");
}

void CheckCount(const std::string& what, const std::string& number) {
  if (ReadWholeNumber(number, 99999).value_or(0) == 0)
    throw UsageError(what + ": \"" + number + "\" is not a whole number from 1 to 99999");
}

}  // namespace quennet
