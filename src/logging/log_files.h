#pragma once

#include <concepts>
#include <cstdint>
#include <string>

#include "platform/host.h"
#include "shared/form_state.h"

namespace quennet {

// The current local date and time as general date text: the *now* that begins most
// log lines.
std::string NowText(Clock& clock);

// Appends LineData to "Debug.log" in the program folder, only while Enabled is
// exactly True. A line that cannot be written is lost silently.
void DebugLog(Host& host, std::int16_t Enabled, const std::string& LineData);

// The same for a line that takes work to build, such as one for every record of a
// large log: make_line runs only while Enabled is exactly True.
template <std::invocable MakeLine>
void DebugLog(Host& host, std::int16_t Enabled, MakeLine make_line) {
  if (Enabled == kTrue) DebugLog(host, Enabled, std::string(make_line()));
}

// Appends LineData to strLogName: a path when it holds a backslash, otherwise a file
// in the program folder. A line that cannot be written is lost silently.
void LogData(Host& host, const std::string& strLogName, const std::string& LineData);

}  // namespace quennet
