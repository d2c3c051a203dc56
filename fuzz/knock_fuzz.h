#pragma once
// What the knock fuzz targets share: the input cut into its first line and the live
// firewall log, and the knock read from that first line and checked as a run does.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "fuzz_check.h"
#include "fwlog/action_codes.h"
#include "knock/correlation.h"
#include "knock/test_log.h"
#include "knock/verification.h"
#include "text/text_split.h"

namespace quennet::fuzz {

// The first line (without its end) and the rest of the input.
inline std::pair<std::string, std::string> FirstLineAndRest(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t end = input.find('\n');
  if (end == std::string::npos) return {input, ""};
  return {input.substr(0, end), input.substr(end + 1)};
}

// A knock to check: the first line of the input holds
// "ports|actions|period|source|reference time"; fields left off keep the values of
// the sample knock, and an empty source is taken from correlation.
struct Knock {
  std::string ports = "701,702,703";
  std::string actions = "dt";
  std::string period = "30";
  std::string source = test::kKnocker;
  std::string reference = test::kReference;
};

inline Knock ReadKnock(const std::string& line) {
  const std::vector<std::string> fields = SplitAll(line, '|');
  Knock knock;
  std::string* const roles[] = {&knock.ports, &knock.actions, &knock.period, &knock.source, &knock.reference};
  for (std::size_t i = 0; i < fields.size() && i < std::size(roles); ++i) *roles[i] = fields[i];
  return knock;
}

// Both knock steps, as a run of the form takes them, on a fake host whose live log
// is `log`, read at most `read_piece` bytes at a time.
struct KnockRun {
  test::KnockHost fake;
  std::string found;
  bool verified = false;

  KnockRun(Knock knock, const std::string& log, bool strict, bool trace,
           std::size_t read_piece = std::numeric_limits<std::size_t>::max()) {
    fake.form.DebugEnabled = trace ? kTrue : kFalse;
    fake.form.StrictKnock = strict;
    fake.files.files[test::kLive] = log;
    fake.files.read_piece = read_piece;
    fake.form.FirewallActionText = ReturnFirewallAction(fake.version, LastElement(knock.actions));
    found = Check_Firewall_Log(fake.host, fake.form, knock.reference, knock.period, LastElement(knock.ports));
    if (knock.source.empty()) knock.source = found;
    verified = Check_Port_Knock(fake.host, fake.form, knock.reference, knock.period, knock.ports, knock.actions,
                                knock.source);
  }
};

}  // namespace quennet::fuzz
