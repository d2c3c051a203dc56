#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "shared/usage_error.h"

namespace quennet {

struct CtlArguments {
  std::set<std::string> flags;
  std::map<std::string, std::string> values;
  std::vector<std::string> positional;
};

// Options come first: each of `flags` stands alone, each of `valued` takes the next
// argument. Exactly `positional_count` arguments follow. Throws UsageError.
CtlArguments ParseCtlArguments(const std::vector<std::string>& arguments,
                               const std::set<std::string>& flags,
                               const std::set<std::string>& valued, std::size_t positional_count);

// The checks on the values the commands, the task and Quennet's arguments are built
// from. Each throws UsageError naming the value.
void CheckPortList(const std::string& ports);
void CheckPort(const std::string& port);
// Action codes as Quennet takes them; the last one must be a drop (dt, du, di), since
// the task starts on the event of a dropped packet.
void CheckActionList(const std::string& actions);
// Letters, digits, '.', '-' and '_': a rule name goes unquoted into commands.
void CheckRuleName(const std::string& rule);
// A whole number from 1 to 99999, without leading zeros.
void CheckCount(const std::string& what, const std::string& number);

}  // namespace quennet
