// Both knock steps over any firewall log, with the trace on, in the defined mode and in
// strict mode. The first line holds
// "ports|actions|period|source|reference time" (fields left off keep the values of
// the sample knock; an empty source is taken from correlation); the rest is the log.
#include <cstddef>
#include <cstdint>
#include <string>

#include "knock_fuzz.h"
#include "text/text_split.h"

namespace {

using namespace quennet;

// Both knock steps in one mode. A list gets a line per port found and a closing line
// in the defined mode; a strict knock writes its lines only once it is verified. A
// single port gets none.
void CheckKnock(const fuzz::Knock& knock, const std::string& log, bool strict) {
  const fuzz::KnockRun run(knock, log, strict, true);
  const test::KnockHost& fake = run.fake;
  const bool verified = run.verified;

  const std::size_t ports = SplitAll(knock.ports, ',').size();
  const std::size_t velt_lines = fake.Lines("velt.log").size();
  if (ports == 1) {
    fuzz::Check(velt_lines == 0, "a single port writes no velt.log line");
  } else if (verified) {
    fuzz::Check(velt_lines == ports + 1, "a verified knock writes a velt.log line per port and a closing one");
  } else {
    fuzz::Check(strict ? velt_lines == 0 : velt_lines < ports, "a refused knock writes one line per port found");
  }
  fuzz::CheckVeltLines(fake, run.start);
  fuzz::Check(fake.clock.pauses.size() <= 12, "each wait for the log ends at its deadline: six pauses");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [first_line, log] = fuzz::FirstLineAndRest(data, size);
  const fuzz::Knock knock = fuzz::ReadKnock(first_line);
  CheckKnock(knock, log, false);
  CheckKnock(knock, log, true);
  return 0;
}
