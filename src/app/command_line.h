#pragma once

#include <optional>
#include <string>

namespace quennet {

// The roles of one knock, as the command line gives them. Every role is text.
struct KnockRoles {
  std::string PortList;
  std::string ActionList;
  std::string RuleName;
  std::string TimePeriod;
  std::string PortToOpen;
  std::string SourceIP;
  std::string ReferenceTime;    // a date-time as text
  bool ReferenceGiven = false;  // token 6 gave it, rather than the start time
};

// The argument text of one run: a strict knock is asked for by "--strict" as the first
// argument; the option and the blank after it are no part of CommandText.
struct ArgumentText {
  std::string CommandText;
  bool strict = false;
};
ArgumentText ReadStrictOption(const std::string& argument_text);

// Splits CommandText at every single blank into the roles of one knock. Nothing
// when there is nothing to verify (no blank, or fewer than four tokens).
// start_time_text is StartTime as general date text: the reference time unless
// token 6 gives one.
std::optional<KnockRoles> InterpretCommandLine(const std::string& CommandText,
                                               const std::string& start_time_text);

// The text after the last "," of a list token, or the whole token without one.
std::string LastElement(const std::string& list_token);

}  // namespace quennet
