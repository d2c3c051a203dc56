// The command-line split on any argument text: roles come back exactly when there
// are four blank-separated tokens, and the first four roles are those tokens.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/command_line.h"
#include "fuzz_check.h"

namespace {

constexpr const char* kStart = "7/17/2012 10:30:00 AM";

// The text that the four leading roles and their blanks take up, checked against the
// text itself rather than another split.
void CheckLeadingRoles(const std::string& text, const quennet::KnockRoles& roles) {
  const std::string leading = roles.PortList + ' ' + roles.ActionList + ' ' + roles.RuleName + ' ' + roles.TimePeriod;
  quennet::fuzz::Check(text.starts_with(leading), "the first four roles begin the text");
  quennet::fuzz::Check(text.size() == leading.size() || text[leading.size()] == ' ',
                       "the time period is a whole token");
  quennet::fuzz::Check(std::count(leading.begin(), leading.end(), ' ') == 3, "no role holds a blank");
}

void CheckLastElement(const std::string& token) {
  const std::string last = quennet::LastElement(token);
  quennet::fuzz::Check(token.ends_with(last) && last.find(',') == std::string::npos, "the last element ends the token");
  quennet::fuzz::Check(last.size() == token.size() || token[token.size() - last.size() - 1] == ',',
                       "the last element follows a comma");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto roles = quennet::InterpretCommandLine(text, kStart);
  quennet::fuzz::Check(roles.has_value() == (std::count(text.begin(), text.end(), ' ') >= 3),
                       "roles come back exactly for four tokens");
  CheckLastElement(text);
  if (!roles) return 0;
  CheckLeadingRoles(text, *roles);
  CheckLastElement(roles->PortList);
  CheckLastElement(roles->ActionList);
  return 0;
}
