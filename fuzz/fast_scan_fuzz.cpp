// Both knock steps over any firewall log and knock, in the defined mode and in strict
// mode. The scan with the trace off, which hands the knock steps only the lines that
// hold a knock port's text (strict: also a header or the knocking address), against
// the line-by-line scan the trace takes, with the log read in pieces of any size: both
// give the same address, the same verdict and the same velt.log and error.log lines,
// and those lines are what the verdict calls for. The first line holds
// "ports|actions|period|source|reference time|piece" (see fuzz::Knock); a piece that
// is not a positive number reads the log whole.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "knock_fuzz.h"
#include "text/text_split.h"

namespace {

using namespace quennet;

std::size_t ReadPiece(const std::string& first_line) {
  const std::vector<std::string> fields = SplitAll(first_line, '|');
  std::size_t piece = 0;
  if (fields.size() > 5) std::from_chars(fields[5].data(), fields[5].data() + fields[5].size(), piece);
  return piece > 0 ? piece : std::numeric_limits<std::size_t>::max();
}

// A list gets a line per port found and a closing line in the defined mode; a strict
// knock writes its lines only once it is verified. A single port gets none.
void CheckVelt(const fuzz::Knock& knock, const fuzz::KnockRun& run, bool strict) {
  const std::size_t ports = SplitAll(knock.ports, ',').size();
  const std::size_t velt_lines = run.fake.Lines("velt.log").size();
  if (ports == 1) {
    fuzz::Check(velt_lines == 0, "a single port writes no velt.log line");
  } else if (run.verified) {
    fuzz::Check(velt_lines == ports + 1, "a verified knock writes a velt.log line per port and a closing one");
  } else {
    fuzz::Check(strict ? velt_lines == 0 : velt_lines < ports, "a refused knock writes one line per port found");
  }
  fuzz::CheckVeltLines(run.fake, run.start);
  fuzz::Check(run.fake.clock.pauses.size() <= 12, "each wait for the log ends at its deadline: six pauses");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [first_line, log] = fuzz::FirstLineAndRest(data, size);
  const fuzz::Knock knock = fuzz::ReadKnock(first_line);
  const std::size_t piece = ReadPiece(first_line);
  for (const bool strict : {false, true}) {
    const fuzz::KnockRun fast(knock, log, strict, false, piece);
    const fuzz::KnockRun every_line(knock, log, strict, true);
    CheckVelt(knock, every_line, strict);
    fuzz::Check(fast.found == every_line.found, "both scans correlate the same address");
    fuzz::Check(fast.verified == every_line.verified, "both scans reach the same verdict");
    for (const char* name : {"velt.log", "error.log"}) {
      fuzz::Check(fast.fake.Lines(name) == every_line.fake.Lines(name), "both scans write the same log lines");
    }
  }
  return 0;
}
