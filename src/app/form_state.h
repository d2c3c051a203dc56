#pragma once

#include <cstdint>
#include <string>

#include "logging/log_files.h"

namespace quennet {

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
};

}  // namespace quennet
