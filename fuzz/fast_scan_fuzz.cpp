// Both knock steps over any firewall log and knock, in the defined mode and in strict
// mode. The scan with the trace off, which hands the knock steps only the lines that
// hold a knock port's text (strict: also a header or the knocking address), against
// the line-by-line scan the trace takes, with the log read in pieces of any size: both
// give the same address, the same verdict, the same lines of the newest knock and the
// same velt.log and error.log lines (the waits, their unit test pins). The first line
// holds the knock (see Knock).
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "fuzz_check.h"
#include "knock/correlation.h"
#include "knock/verification.h"
#include "shared/action_codes.h"
#include "support/test_log.h"
#include "text/text_split.h"

namespace {

using namespace quennet;

// The first line (without its end) and the rest of the input.
std::pair<std::string, std::string> FirstLineAndRest(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t end = input.find('\n');
  if (end == std::string::npos) return {input, ""};
  return {input.substr(0, end), input.substr(end + 1)};
}

// A knock to check: the first line of the input holds
// "ports|actions|period|source|reference time|piece"; fields left off keep the values
// of the sample knock, an empty source is taken from correlation, and a piece that is
// not a positive number reads the log whole.
struct Knock {
  std::string ports = "701,702,703";
  std::string actions = "dt";
  std::string period = "30";
  std::string source = test::kKnocker;
  std::string reference = test::kReference;
  std::size_t piece = std::numeric_limits<std::size_t>::max();
};

Knock ReadKnock(const std::string& line) {
  const std::vector<std::string> fields = SplitAll(line, '|');
  Knock knock;
  std::string* const roles[] = {&knock.ports, &knock.actions, &knock.period, &knock.source,
                                &knock.reference};
  for (std::size_t i = 0; i < fields.size() && i < std::size(roles); ++i) *roles[i] = fields[i];
  std::size_t piece = 0;
  if (fields.size() > 5)
    std::from_chars(fields[5].data(), fields[5].data() + fields[5].size(), piece);
  if (piece > 0) knock.piece = piece;
  return knock;
}

// Both knock steps, as a run of the form takes them, on a fake host whose live log
// is `log`, read at most the knock's piece at a time while the trace is off.
struct KnockRun {
  test::KnockHost fake;
  std::string found;
  bool verified = false;
  std::string knock_lines;

  KnockRun(Knock knock, const std::string& log, bool strict, bool trace) {
    fake.form.DebugEnabled = trace ? kTrue : kFalse;
    fake.form.StrictKnock = strict;
    fake.files.files[test::kLive] = log;
    if (!trace) fake.files.read_piece = knock.piece;
    fake.form.FirewallActionText = ReturnFirewallAction(fake.version, LastElement(knock.actions));
    found = Check_Firewall_Log(fake.host, fake.form, knock.reference, knock.period,
                               LastElement(knock.ports));
    if (knock.source.empty()) knock.source = found;
    verified = Check_Port_Knock(fake.host, fake.form, knock.reference, knock.period, knock.ports,
                                knock.actions, knock.source, &knock_lines);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [first_line, log] = FirstLineAndRest(data, size);
  const Knock knock = ReadKnock(first_line);
  for (const bool strict : {false, true}) {
    const KnockRun fast(knock, log, strict, false);
    const KnockRun every_line(knock, log, strict, true);
    fuzz::Check(fast.found == every_line.found, "both scans correlate the same address");
    fuzz::Check(fast.verified == every_line.verified, "both scans reach the same verdict");
    fuzz::Check(fast.knock_lines == every_line.knock_lines,
                "both scans take the same knock for the opening");
    for (const char* name : {"velt.log", "error.log"}) {
      fuzz::Check(fast.fake.Lines(name) == every_line.fake.Lines(name),
                  "both scans write the same log lines");
    }
  }
  return 0;
}
