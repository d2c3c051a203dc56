// Both knock steps over any firewall log, with the trace on, in the defined mode and in
// strict mode. The first line holds
// "ports|actions|period|source|reference time" (fields left off keep the values of
// the sample knock; an empty source is taken from correlation); the rest is the log.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "fwlog/action_codes.h"
#include "knock/correlation.h"
#include "knock/verification.h"
#include "knock_fuzz.h"
#include "text/text_split.h"

namespace {

using namespace quennet;

struct Knock {
  std::string ports = "701,702,703";
  std::string actions = "dt";
  std::string period = "30";
  std::string source = test::kKnocker;
  std::string reference = test::kReference;
};

Knock ReadKnock(const std::string& line) {
  const std::vector<std::string> fields = SplitAll(line, '|');
  Knock knock;
  std::string* const roles[] = {&knock.ports, &knock.actions, &knock.period, &knock.source, &knock.reference};
  for (std::size_t i = 0; i < fields.size() && i < std::size(roles); ++i) *roles[i] = fields[i];
  return knock;
}

// Both knock steps in one mode. A list gets a line per port found and a closing line
// in the defined mode; a strict knock writes its lines only once it is verified. A
// single port gets none.
void CheckKnock(Knock knock, const std::string& log, bool strict) {
  test::KnockHost fake;
  fake.form.DebugEnabled = kTrue;
  fake.form.StrictKnock = strict;
  fake.files.files[test::kLive] = log;
  const DateTime start = fake.clock.now;

  fake.form.FirewallActionText = ReturnFirewallAction(fake.version, LastElement(knock.actions));
  const std::string found =
      Check_Firewall_Log(fake.host, fake.form, knock.reference, knock.period, LastElement(knock.ports));
  if (knock.source.empty()) knock.source = found;
  const bool verified = Check_Port_Knock(fake.host, fake.form, knock.reference, knock.period, knock.ports,
                                         knock.actions, knock.source);

  const std::size_t ports = SplitAll(knock.ports, ',').size();
  const std::size_t velt_lines = fake.Lines("velt.log").size();
  if (ports == 1) {
    fuzz::Check(velt_lines == 0, "a single port writes no velt.log line");
  } else if (verified) {
    fuzz::Check(velt_lines == ports + 1, "a verified knock writes a velt.log line per port and a closing one");
  } else {
    fuzz::Check(strict ? velt_lines == 0 : velt_lines < ports, "a refused knock writes one line per port found");
  }
  fuzz::CheckVeltLines(fake, start);
  fuzz::Check(fake.clock.pauses.size() <= 12, "each wait for the log ends at its deadline: six pauses");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [first_line, log] = fuzz::FirstLineAndRest(data, size);
  const Knock knock = ReadKnock(first_line);
  CheckKnock(knock, log, false);
  CheckKnock(knock, log, true);
  return 0;
}
