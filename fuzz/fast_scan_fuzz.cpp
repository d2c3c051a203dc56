// Both knock steps over any firewall log and knock, in the defined mode and in strict
// mode. The scan with the trace off, which hands the knock steps only the lines that
// hold a knock port's text (strict: also a header or the knocking address), against
// the line-by-line scan the trace takes, with the log read in pieces of any size: both
// give the same address, the same verdict and the same velt.log and error.log lines
// (the whole-run target checks the waits). The first line
// holds "ports|actions|period|source|reference time|piece" (see fuzz::Knock); a piece
// that is not a positive number reads the log whole.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [first_line, log] = fuzz::FirstLineAndRest(data, size);
  const fuzz::Knock knock = fuzz::ReadKnock(first_line);
  const std::size_t piece = ReadPiece(first_line);
  for (const bool strict : {false, true}) {
    const fuzz::KnockRun fast(knock, log, strict, false, piece);
    const fuzz::KnockRun every_line(knock, log, strict, true);
    fuzz::Check(fast.found == every_line.found, "both scans correlate the same address");
    fuzz::Check(fast.verified == every_line.verified, "both scans reach the same verdict");
    for (const char* name : {"velt.log", "error.log"}) {
      fuzz::Check(fast.fake.Lines(name) == every_line.fake.Lines(name), "both scans write the same log lines");
    }
  }
  return 0;
}
