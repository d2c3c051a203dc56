#pragma once

#include <functional>
#include <string>

#include "platform/host.h"
#include "shared/form_state.h"

namespace quennet {

// What one opening is for: the rule, the address and the port to open, on the lines
// of the knock (Check_Port_Knock's knock_lines), seen in a window of `period` seconds.
struct KnockOpening {
  std::string rule;
  std::string address;
  std::string port;
  std::string lines;
  std::string period;
};

// Calls `open` (the event and the rule) unless an earlier or a concurrent run opened
// the same knock already, which the trace then tells. Runs take turns through
// kOpeningsState, which keeps each opening as long as a run can see its knock. The
// opening is recorded once `open` has returned: a run killed before that leaves the
// knock to open again, and one that cannot have the record opens as if alone.
void OpenOnce(Host& host, const FormState& form, const KnockOpening& knock,
              const std::function<void()>& open);

}  // namespace quennet
