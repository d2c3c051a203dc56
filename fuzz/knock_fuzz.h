#pragma once
// What the knock fuzz targets share: the input cut into its first line and the live
// firewall log, and the checks on what a run leaves behind.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "fuzz_check.h"
#include "knock/test_log.h"
#include "text/date_text.h"

namespace quennet::fuzz {

// The first line (without its end) and the rest of the input.
inline std::pair<std::string, std::string> FirstLineAndRest(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t end = input.find('\n');
  if (end == std::string::npos) return {input, ""};
  return {input.substr(0, end), input.substr(end + 1)};
}

// Every velt.log line begins with *now*: the clock's text at some moment of the run.
inline void CheckVeltLines(const test::KnockHost& fake, DateTime start) {
  for (const std::string& line : fake.Lines("velt.log")) {
    bool begins_with_now = false;
    for (DateTime t = start; t <= fake.clock.now && !begins_with_now; ++t.seconds) {
      begins_with_now = line.starts_with(GeneralDateText(t) + " ");
    }
    Check(begins_with_now, "velt.log lines begin with the time of writing");
  }
}

}  // namespace quennet::fuzz
