#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quennet {

// The 16-bit booleans of the form: True has all bits set.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

// The form-level state of Form1, which the operations of the run read and write in
// place. It lives as long as the form.
struct FormState {
  std::string AppDataFolder;
  std::string WindowsFolder;
  std::string FirewallLogPath;
  std::string FirewallActionText;
  std::int16_t DebugEnabled = kFalse;
  // Set by "--strict": knock ports count only as destination ports, and any other
  // packet from the knocking address between the knock ports spoils the attempt.
  bool StrictKnock = false;
  // Set when the reference time is the run's start: the moment it started, as
  // Clock::ElapsedMilliseconds gives it. A snapshot that another run began to copy
  // after it serves this run as one of its own would. Unset, every knock step copies.
  std::optional<std::int64_t> SharedSnapshotsSince;
};

}  // namespace quennet
